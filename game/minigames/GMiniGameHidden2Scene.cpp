#include "GMiniGameHidden2Scene.h"

#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/ContentType.h"
#include "content/IXMLReader.h"
#include "core/InputEvents.h"
#include "core/Random.h"
#include "core/TextUtils.h"
#include "data/CheckedNumber.h"
#include "data/ConfigReading.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "effects/GPathMovableNode.h"
#include "frontend/SceneLookup.h"
#include "nodes/BaseEmitter.h"
#include "nodes/ParticleSystemNode.h"
#include "nodes/SpawnerNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

#include <cmath>

namespace
{
// Pixels per second: a trail of speed 0 would never arrive.
constexpr NumberRange TrailVelocityRange{1.0, 10000.0};
// Particles per second.
constexpr NumberRange TrailPpsRange{0.0, 10000.0};
} // namespace

GMiniGameHidden2Scene::GMiniGameHidden2Scene(const ContentRef& reference, BaseNode* parentNode,
                                             INodeEventQueue* manager)
    : GMiniGameScene(reference, parentNode, manager), hintPaths(new GLevelPaths())
{
	period = 10;
}

GMiniGameHidden2Scene::~GMiniGameHidden2Scene() = default;

const irr::core::stringw& GMiniGameHidden2Scene::typeNameText()
{
	static const irr::core::stringw name(L"GMiniGameHidden2Scene");
	return name;
}

void GMiniGameHidden2Scene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GMiniGameScene::copyFrom(source, manager);
}

void GMiniGameHidden2Scene::onLoaded()
{
	GMiniGameScene::onLoaded();
	currentIndex = 0;
	BaseNode* scene = frontend::directChild(this, "Scene");
	BaseNode* game = frontend::directChild(scene, "Game");
	BaseNode* background = frontend::directChild(game, "BgObjects");
	BaseNode* ui = frontend::directChild(scene, "UI");
	hintTrail = shareRef(frontend::directChildOf<GPathMovableNode>(background, "HintTrailNode"));
	foundNode = shareRef(frontend::directChildOf<SpawnerNode>(background, "FoundNode"));
	timeTargText = shareRef(frontend::directChildOf<TextNode>(ui, "TimeTarg"));
	timeCurrText = shareRef(frontend::directChildOf<TextNode>(ui, "TimeCurr"));
	objCountText = shareRef(frontend::directChildOf<TextNode>(ui, "ObjCount"));
	previewImage = shareRef(frontend::directChildOf<SpriteNode>(ui, "PrevewImage"));

	findOrder.clear();
	if (BaseNode* objects = frontend::directChild(game, "HitObjects"))
	{
		// Draw without repeating: take a random remaining object, fill its slot with the last one.
		irr::core::array<BaseNode*> left = objects->getChildren();
		while (!left.empty())
		{
			const irr::u32 r = Random::instance()->nextMt() % left.size();
			findOrder.push_back(shareRef(left[r]));
			left[r] = left.getLast();
			left.erase(left.size() - 1);
		}
	}
	if (previewImage)
	{
		previewImage->setImageStretchX(2);
		previewImage->setImageStretchY(2);
	}
}

void GMiniGameHidden2Scene::loadMiniGameElement(IXMLReader* reader)
{
	// An element without "Value" keeps the default: a trail of speed 0 would never arrive.
	if (isElementStart(reader, L"ItemsToFind"))
		readItems(reader);
	else if (isElementStart(reader, L"HintPaths"))
		loadPathsFile(hintPaths.get(), reader);
	else if (isElementStart(reader, L"HintTrailVelocity"))
		hintTrailVelocity = readFloatAttribute(reader, L"Value", DefaultTrailVelocity, TrailVelocityRange);
	else if (isElementStart(reader, L"HintTrailPPS"))
		hintTrailPps = readIntAttribute(reader, L"Value", 0, TrailPpsRange);
}

void GMiniGameHidden2Scene::readItems(IXMLReader* reader)
{
	previewFiles.clear();
	if (isElementEnd(reader, L"ItemsToFind"))
		return;
	while (reader->read() && !isElementEnd(reader, L"ItemsToFind"))
	{
		if (!isElementStart(reader, L"Item"))
			continue;
		const irr::core::stringc name(reader->getAttributeValue(L"Name").c_str());
		previewFiles[internStringId(name)] = irr::core::stringc(reader->getAttributeValue(L"Filename").c_str());
	}
}

bool GMiniGameHidden2Scene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GMiniGameScene::onSceneChangeStarted(event);
	if (event->newScene != this)
		return false;
	playCue("MiniGamesMusic", true);
	resetPlay();
	currentIndex = 0;
	if (timeCurrText)
		timeCurrText->setText(formatMinutesSeconds(static_cast<unsigned>(maxLevelTime)));
	// An empty picture is not completed while the scene slides in: the first update does it.
	if (!findOrder.empty())
		showCurrentItem();
	setLinetPhase(1);
	return true;
}

BaseNode* GMiniGameHidden2Scene::getWantedObject() const
{
	return currentIndex < static_cast<int>(findOrder.size()) ? findOrder[currentIndex].get() : nullptr;
}

void GMiniGameHidden2Scene::showCurrentItem()
{
	BaseNode* wanted = getWantedObject();
	if (!wanted)
	{
		score = expertScore;
		completeMiniGame();
		return;
	}
	if (objCountText)
		objCountText->setText(irr::core::stringw(static_cast<int>(findOrder.size()) - currentIndex));
	if (previewImage)
	{
		const auto file = previewFiles.find(wanted->getName());
		const irr::core::stringc name =
		    irr::core::stringc(PreviewFolder) + (file != previewFiles.end() ? file->second : "") + ".png";
		CContentManager* content = getContentRef().getContentManager();
		if (!content && gGameApplication)
			content = gGameApplication->contentManager;
		SmartPointer<ContentObject> frame(content ? content->getContent(ContentTypeAtlasTexture, name, false)
		                                          : nullptr);
		if (auto* texture = dynamic_cast<AtlasTexture*>(frame.get()))
			previewImage->setAtlasTexture(texture);
		previewImage->refreshAbsolute();
		const irr::core::vector3df& size = previewImage->getBounds();
		previewImage->setPivotPoint({std::floor(size.X * 0.5f + 0.5f), std::floor(size.Y * 0.5f + 0.5f)});
	}
	pointerOverCurrent = false;
}

bool GMiniGameHidden2Scene::trailIdle() const
{
	return hintTrail && !hintTrail->isMoving();
}

bool GMiniGameHidden2Scene::updateTime(unsigned elapsed)
{
	if (!GMiniGameScene::updateTime(elapsed))
		return false;
	if (!getWantedObject())
	{
		score = expertScore;
		completeMiniGame();
		return true;
	}
	elapsedTime += static_cast<int>(elapsed);
	if (timeTargText)
		timeTargText->setText(formatMinutesSeconds(static_cast<unsigned>(elapsedTime)));
	if (hintTrail)
	{
		hintTrail->updateMovement(elapsed);
		if (pointerOverCurrent && getWantedObject() && trailIdle())
			startHintTrail(getWantedObject(), 1);
	}
	return true;
}

bool GMiniGameHidden2Scene::sendToChildren(int mode, CEvent* event)
{
	if (event && Enabled && event->typeId() == CEventInputMouseLeftDown::TypeId)
	{
		const auto* press = static_cast<const CEventInputMouseLeftDown*>(event);
		if (onClick(press->x, press->y))
			return true;
	}
	else if (event && Enabled && event->typeId() == CEventInputMouseMove::TypeId)
	{
		const auto* move = static_cast<const CEventInputMouseMove*>(event);
		onMouseMove(move->x, move->y);
	}
	return GMiniGameScene::sendToChildren(mode, event);
}

void GMiniGameHidden2Scene::onMouseMove(int x, int y)
{
	BaseNode* wanted = getWantedObject();
	if (!wanted)
		return;
	const bool over = wanted->hitTest({static_cast<float>(x), static_cast<float>(y)}) != nullptr;
	if (over != pointerOverCurrent && over && trailIdle())
		startHintTrail(wanted, 1);
	pointerOverCurrent = over;
}

bool GMiniGameHidden2Scene::onClick(int x, int y)
{
	if (linetPhase < 2 || completed)
		return false;
	if (linetPhase == 2)
	{
		setLinetPhase(3);
		return false;
	}
	BaseNode* wanted = getWantedObject();
	if (!wanted || !wanted->hitTest({static_cast<float>(x), static_cast<float>(y)}))
		return false;
	if (hintTrail)
		hintTrail->stop();
	showFoundEffect(wanted, foundNode.get());
	wanted->setVisible(false);
	++currentIndex;
	showCurrentItem();
	playCue("ObjFound");
	return true;
}

void GMiniGameHidden2Scene::startHintTrail(BaseNode* object, int repeats)
{
	GLevelPath* path = hintTrail && object ? hintPaths->getRandomCarPath(object->getName()) : nullptr;
	if (!path)
		return;
	const irr::core::array<GLevelPathPoint>& corners = path->getPoints();
	irr::core::array<irr::core::vector2df> points;
	for (int n = 0; n < repeats; ++n)
		for (irr::u32 i = corners.size(); i-- > 0;)
			points.push_back({corners[i].x, corners[i].y});
	auto* particles = frontend::directChildOf<ParticleSystemNode>(hintTrail.get(), "Particles");
	if (BaseEmitter* emitter = particles ? particles->getEmitter() : nullptr)
	{
		const float pps = static_cast<float>(hintTrailPps);
		emitter->setPPSRange({pps, pps});
	}
	hintTrail->setSpeed(hintTrailVelocity);
	hintTrail->start(points, internStringId("HintFinished").id, true, false);
}

bool GMiniGameHidden2Scene::onNodePressed(CEventNodeClicked* event)
{
	if (GMiniGameScene::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "MenuButton"))
	{
		leaveToOpener();
		return true;
	}
	if (!frontend::isNamed(event->control, "HintButton"))
		return false;
	playCue("HOHint");
	if (getWantedObject() && trailIdle())
		startHintTrail(getWantedObject(), 4);
	return true;
}
