#include "GMiniGameScene.h"

#include "GMiniCompletedScene.h"
#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "content/IXMLReader.h"
#include "core/CPropertyCollection.h"
#include "core/ILogger.h"
#include "data/CheckedNumber.h"
#include "data/ConfigReading.h"
#include "data/GLevelPaths.h"
#include "data/IntList.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "frontend/SceneLookup.h"
#include "nodes/SpawnerNode.h"
#include "scene/NodeEvents.h"
#include "scene/TemplateCollectionNode.h"

#include <algorithm>
#include <cmath>

namespace
{
StringId nameId(const char* text)
{
	return internStringId(text);
}

// The list under the key, padded with zeros to hold the index.
irr::core::array<irr::s32> paddedList(const CProfile* profile, const char* key, int index)
{
	irr::core::array<irr::s32> values = parseIntList(profile->getString(key));
	while (static_cast<int>(values.size()) <= index)
		values.push_back(0);
	return values;
}

// Time limits in ms, up to an hour. None at all would end an auction at once, as played: refused too.
constexpr NumberRange LevelTimeRange{1.0, 3600000.0};
} // namespace

GMiniGameScene::GMiniGameScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	period = 20;
}

GMiniGameScene::~GMiniGameScene() = default;

BaseNode* GMiniGameScene::clone(BaseNode*, INodeEventQueue*) const
{
	return nullptr;
}

void GMiniGameScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GMiniGameScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	linet = shareRef(findPart({"Scene", "UI", "Linet"}));
	linetText = shareRef(findPart({"Scene", "UI", "LinetText"}));
}

BaseNode* GMiniGameScene::findPart(std::initializer_list<const char*> path)
{
	BaseNode* node = this;
	for (const char* name : path)
		node = frontend::directChild(node, name);
	return node;
}

bool GMiniGameScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GBaseSceneNode::onSceneChangeStarted(event);
	if (event->newScene != this)
		return false;
	playCue("MiniGamesMusic", true);
	resetPlay();
	startPlay();
	setLinetPhase(1);
	return true;
}

void GMiniGameScene::startPlay() {}

bool GMiniGameScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (!frontend::isNamed(event->control, "MenuButton"))
		return false;
	leaveToOpener();
	return true;
}

bool GMiniGameScene::pressReachesPlay()
{
	if (linetPhase < 2 || completed)
		return false;
	if (linetPhase == 2)
	{
		setLinetPhase(3);
		return false;
	}
	return true;
}

bool GMiniGameScene::loadConfiguration(const irr::core::stringc& folder)
{
	IDevice* device = Singleton<IDevice>::peek();
	IFileSystem* files = device ? device->getFileSystem() : nullptr;
	SmartPointer<CXMLReader> reader(files ? files->createXMLReader(folder + ConfigurationFileName) : nullptr);
	if (!reader)
	{
		getLogger()->log("Unable to find configuration for the minigame", folder.c_str(), 2);
		return false;
	}
	parseConfiguration(reader.get());
	return true;
}

bool GMiniGameScene::parseConfiguration(IXMLReader* reader)
{
	bool result = false;
	while (reader && (result = reader->read()))
	{
		if (isElementStart(reader, L"MaxLevelTime"))
		{
			bool ok = true;
			const int time = readIntAttribute(reader, L"Value", maxLevelTime, LevelTimeRange, &ok);
			maxLevelTime = ok ? time : DefaultMaxLevelTime;
		}
		else if (isElementStart(reader, L"ExpertScore"))
			expertScore = readIntAttribute(reader, L"Value", expertScore, NumberRanges::Target);
		else if (reader->getNodeType() == XML_NODE_ELEMENT)
			loadMiniGameElement(reader);
		else if (reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == L"MiniGame")
			break;
	}
	return result;
}

void GMiniGameScene::loadMiniGameElement(IXMLReader*) {}

bool GMiniGameScene::checkPlayable() const
{
	return true;
}

void GMiniGameScene::loadPathsFile(GLevelPaths* paths, IXMLReader* reader)
{
	const irr::core::stringc name(reader->getAttributeValue(L"Value").c_str());
	IDevice* device = Singleton<IDevice>::peek();
	IFileSystem* files = device ? device->getFileSystem() : nullptr;
	SmartPointer<CXMLReader> file(files && !name.empty() ? files->createXMLReader(name) : nullptr);
	if (file)
		paths->load(file.get());
}

bool GMiniGameScene::updateTime(unsigned elapsed)
{
	if (!GBaseSceneNode::updateTime(elapsed))
		return false;
	phaseTime += static_cast<int>(elapsed);
	if (linetPhase == 1 && phaseTime >= linetAppearDelay)
		setLinetPhase(2);
	return true;
}

void GMiniGameScene::setLinetPhase(int phase)
{
	linetPhase = phase;
	phaseTime = 0;
	if (phase == 1 && linetText)
	{
		linetText->setTintColor(irr::video::SColor(0, 255, 255, 255));
		linetText->updateAbsoluteColor();
	}
	else if (phase == 2 && linetText)
		linetText->setState(nameId("Appear"), nullptr, StringId());
	else if (phase == 3)
	{
		if (linet)
			linet->setState(nameId("Disappear"), nullptr, StringId());
		if (linetText)
			linetText->setState(nameId("Disappear"), nullptr, StringId());
	}
}

void GMiniGameScene::resetPlay()
{
	elapsedTime = 0;
	score = 0;
	completed = false;
}

void GMiniGameScene::completeMiniGame()
{
	if (completed)
		return;
	completed = true;
	int gain = 0;
	CProfileManager* profiles = CProfileManager::instance();
	if (CProfile* profile = profiles ? profiles->getActiveProfile() : nullptr)
	{
		const int index = std::max(0, profile->getInt(ProfileKey::LevelIndex));
		if (profile->getInt(ProfileKey::MaxUnlockedLevelIndex) < index)
		{
			profile->setInt(ProfileKey::MaxUnlockedLevelIndex, index);
			// Past the last location there is nothing to stand on: the player stays on it.
			profile->setInt(ProfileKey::LevelIndex, std::min(index + 1, LastLocationIndex));
		}
		irr::core::array<irr::s32> scores = paddedList(profile, ProfileKey::Scores, index);
		if (scores[index] < score)
		{
			gain = score - scores[index];
			scores[index] = score;
		}
		profile->setString(ProfileKey::Scores, joinIntList(scores));
		// A time is kept only when it betters the stored one (0: none yet).
		irr::core::array<irr::s32> times = paddedList(profile, ProfileKey::Times, index);
		if (times[index] <= 0 || elapsedTime < times[index])
			times[index] = elapsedTime;
		profile->setString(ProfileKey::Times, joinIntList(times));
		profile->save();
	}

	CContentManager* content = gGameApplication ? gGameApplication->contentManager : nullptr;
	SmartPointer<BaseNode> loaded(content ? content->getSceneNode(CompletedSceneFileName, false) : nullptr);
	if (auto* popup = nodeCast<GMiniCompletedScene>(loaded.get()))
	{
		popup->setResults(maxLevelTime, elapsedTime, gain);
		pushScene(popup, true, nameIdNavFrom(), nameIdNavTo());
	}
}

void GMiniGameScene::leaveToOpener()
{
	// Below this scene lie the loading scene and then the scene that opened it.
	closeTo(1, nameIdNavBackFrom(), nameIdNavBackTo());
}

void GMiniGameScene::showFoundEffect(BaseNode* object, SpawnerNode* foundNode)
{
	TemplateCollectionNode* templates = findTemplateCollection();
	BaseNode* star = templates ? templates->findTemplate(nameId("HOFoundStarNode")) : nullptr;
	if (!foundNode || !star || !star->isKindOf(NodeTypeGShieldStarNode))
		return;
	const irr::core::vector3df size = object->getBounds();
	const float k = std::min(size.X, size.Y) * 0.5f * 8.0f + 80.0f;
	CPropertyCollection timing;
	timing.addVector2d("Accel1StartTimeRange", {k, k});
	timing.addVector2d("Accel1EndTimeRange", {k + 180.0f, k + 180.0f});
	star->readProperties(timing);
	const float rate = std::max(250.0f, std::trunc(std::trunc(size.X + size.Y) * 1.5f));
	foundNode->setObjectsPerSecRange({rate, rate});
	foundNode->setPosition(object->getPosition() + size * 0.5f);
	foundNode->removeAllChildren();
	foundNode->setState(nameId("On"), nullptr, StringId());
}
