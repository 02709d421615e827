#include "GMapScene.h"

#include "GMapLocationButton.h"
#include "LevelLoading.h"
#include "app/GGameApplication.h"
#include "audio/CSoundManager.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "core/TextUtils.h"
#include "data/GLevelScores.h"
#include "data/GUpgrade.h"
#include "data/GUpgradesConfiguration.h"
#include "data/IntList.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

#include <algorithm>
#include <cctype>

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyU = 85;

StringId nameId(const char* name)
{
	return internStringId(name);
}

CProfile* currentProfile()
{
	return CProfileManager::instance()->getActiveProfile();
}

int profileInt(const char* key)
{
	const CProfile* profile = currentProfile();
	return profile ? profile->getInt(key) : 0;
}

// A stored number of a location list; false when the list is shorter.
bool storedValue(const irr::core::array<irr::s32>& list, size_t index, int& value)
{
	if (index >= list.size())
		return false;
	value = list[static_cast<irr::u32>(index)];
	return true;
}

// 2 when the score reaches the expert score, 1 when it reaches the score, else 0.
int rankOf(int score, const GLevelScoreEntry& entry)
{
	if (score >= entry.expertScore)
		return 2;
	return score >= entry.score ? 1 : 0;
}

GLevelScoreEntry levelScoreOf(const GMapLocationButton* button)
{
	if (!gGameApplication || !gGameApplication->levelScores)
		return GLevelScores::Missing;
	return gGameApplication->levelScores->lookup(button->getAssociatedLevelName());
}

template <class T> T* childOf(const BaseNode* parent, const char* name)
{
	return parent ? nodeCast<T>(parent->findChild(nameId(name), 0)) : nullptr;
}

void showPicture(SpriteNode* sprite, const irr::core::stringc& name)
{
	CContentManager* content = gGameApplication ? gGameApplication->contentManager : nullptr;
	SmartPointer<AtlasTexture> picture(content ? content->getAtlasTexture(name, true) : nullptr);
	sprite->setAtlasTexture(picture.get());
}

BaseNode* subjectOf(const CEventNodePairBase* event)
{
	return event->subject ? event->subject : event->sender;
}
} // namespace

GMapScene::GMapScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GMapScene::~GMapScene() = default;

const irr::core::stringw& GMapScene::typeNameText()
{
	static const irr::core::stringw name(L"GMapScene");
	return name;
}

int GMapScene::locationOfLevel(int levelNumber, int locationCount)
{
	const int index = (levelNumber - 1) + (levelNumber - 1) / 7;
	return index >= 0 && index < locationCount ? index : -1;
}

void GMapScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GMapScene::onLoaded()
{
	locationButtons.clear();
	playButton = nullptr;
	levelHintNodes.fill(nullptr);
	selectedLocation = nullptr;
	BaseNode* scene = findChild(nameId("Scene"), 0);
	if (!scene)
		return;
	if (BaseNode* locations = scene->findChild(nameId("LocationButtons"), 0))
	{
		const irr::core::array<BaseNode*>& children = locations->getChildren();
		for (irr::u32 i = 0; i < children.size(); ++i)
			if (auto* button = nodeCast<GMapLocationButton>(children[i]))
				locationButtons.push_back(button);
	}
	playButton = childOf<ControlNode>(scene, "PlayButton");
	for (int i = 0; i < HintCount; ++i)
	{
		const std::string name = "LevelHint" + std::to_string(i + 1) + "Node";
		levelHintNodes[static_cast<size_t>(i)] = scene->findChild(nameId(name.c_str()), 0);
	}
}

irr::core::stringc GMapScene::whyUnusable() const
{
	if (locationButtons.empty())
		return "it has no location buttons";
	if (!playButton)
		return "it has no play button";
	return GBaseSceneNode::whyUnusable();
}

int GMapScene::indexOf(const GMapLocationButton* button) const
{
	const auto found = std::find(locationButtons.begin(), locationButtons.end(), button);
	return found == locationButtons.end() ? -1 : static_cast<int>(found - locationButtons.begin());
}

// ---- entering and leaving

bool GMapScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	if (gGameApplication && gGameApplication->contentManager)
		gGameApplication->contentManager->releaseUnusedContent();
	if (CSoundManager* sounds = getDevice()->getSoundManager())
		sounds->playCue(nameId("MenuMusic"), true, 0);

	CProfile* profile = currentProfile();
	int levelIndex = profileInt(ProfileKey::LevelIndex);
	const size_t count = locationButtons.size();
	if (count > 0 && static_cast<size_t>(static_cast<unsigned>(levelIndex)) >= count)
		levelIndex = static_cast<int>(count) - 1;

	// Neighbouring signs wave out of step: phases 0, 0.2, ... 0.8, then again from 0.
	for (size_t i = 0; i < count; ++i)
	{
		GMapLocationButton* button = locationButtons[i];
		const bool selected = static_cast<int>(i) == levelIndex;
		button->setSelected(selected);
		if (selected)
		{
			selectedLocation = button;
			if (profile)
				profile->setString(ProfileKey::LevelName, button->getAssociatedLevelName());
		}
		button->startWave(static_cast<float>(i % 5) * 0.2f);
	}
	tutorial.end();
	chooseTutorial(event);

	buildLevelRecords();
	refreshLocationButtons();
	if (playButton)
		playButton->setEnabled(areLevelUpgradesBought(static_cast<irr::u32>(levelIndex)));
	showSelectedLevelNeeds();
	return true;
}

void GMapScene::showSelectedLevelNeeds()
{
	// While Play is off, the selected location's hint says what the shop must sell first.
	const bool blocked = playButton && !playButton->isEnabled() && selectedLocation;
	showLevelHint(blocked ? selectedLocation : nullptr);
}

bool GMapScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	if (GBaseSceneNode::onSceneChangeFinished(event))
		return true;
	if (event->newScene == this)
	{
		const int levelIndex = profileInt(ProfileKey::LevelIndex);
		// The comic announcing a mini-game leads straight into it; the third one starts it itself.
		const bool comicBeforeMiniGame = levelIndex == 7 || levelIndex == 15 || levelIndex == 31;
		if (event->oldScene && event->oldScene->isKindOf(NodeTypeGComicsScene) && comicBeforeMiniGame &&
		    selectedLocation && !selectedLocation->getAssociatedLevelName().empty())
			openLevelLoading(this, selectedLocation->getAssociatedLevelName());
		else
			tutorial.start();
		return true;
	}
	if (event->oldScene != this)
		return false;
	// Seen to its end, the tutorial is not shown again; left half-way, it comes back on the next visit. The
	// click that leaves may have been its last step, which only its next updates would see.
	tutorial.catchUp();
	if (!tutorial.isHeld())
		tutorial.clearProfileKey();
	tutorial.end();
	return true;
}

void GMapScene::chooseTutorial(const CEventNodeSceneChangeStarted* event)
{
	const CProfile* profile = currentProfile();
	if (!profile || !profile->getBool(ProfileKey::ShowTutorialOn))
		return;
	const int maxUnlocked = profile->getInt(ProfileKey::MaxUnlockedLevelIndex);
	const bool fromShop = event->oldScene && event->oldScene->isKindOf(NodeTypeGShopScene);
	if (maxUnlocked == 0 && profile->getBool(ProfileKey::ShowTutorialMap1))
		tutorial.open("scenes/MapTutorial1.xml", ProfileKey::ShowTutorialMap1);
	else if (maxUnlocked == 2 && !fromShop && profile->getBool(ProfileKey::ShowTutorialMap2))
		tutorial.open("scenes/MapTutorial2.xml", ProfileKey::ShowTutorialMap2);
}

bool GMapScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	tutorial.update(elapsed);
	return true;
}

bool GMapScene::onKeyUp(CEventInputKeyUp* event)
{
	// Developer keys 1 to 5 show the story's comics.
	if (gDeveloperMode && event->key >= '1' && event->key <= '5')
	{
		if (gGameApplication && gGameApplication->contentManager)
			gGameApplication->contentManager->releaseUnusedContent();
		const char digit[2] = {static_cast<char>(event->key), 0};
		const irr::core::stringc comic = irr::core::stringc("scenes/ComicsScene") + digit + ".qscn";
		openScene(comic, false, nameIdNavFrom(), nameIdNavTo());
		return true;
	}
	if (event->key == KeyEscape)
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	return GBaseSceneNode::onKeyUp(event);
}

bool GMapScene::onKeyDown(CEventInputKeyDown* event)
{
	if (!gDeveloperMode || event->key != KeyU)
		return GBaseSceneNode::onKeyDown(event);
	// The developer's shortcut to the next location.
	if (CProfile* profile = currentProfile())
	{
		const int maxUnlocked = profile->getInt(ProfileKey::MaxUnlockedLevelIndex);
		if (static_cast<size_t>(static_cast<unsigned>(maxUnlocked + 1)) < locationButtons.size())
		{
			profile->setInt(ProfileKey::MaxUnlockedLevelIndex, maxUnlocked + 1);
			CProfileManager::instance()->saveProfiles();
		}
	}
	refreshLocationButtons();
	return true;
}

// ---- records and buttons

void GMapScene::buildLevelRecords()
{
	levelRecords.assign(locationButtons.size(), GMapLevelRecord());
	const CProfile* profile = currentProfile();
	const int maxUnlocked = profileInt(ProfileKey::MaxUnlockedLevelIndex);
	const irr::core::array<irr::s32> scores = parseIntList(profile ? profile->getString(ProfileKey::Scores) : "");
	const irr::core::array<irr::s32> times = parseIntList(profile ? profile->getString(ProfileKey::Times) : "");

	for (size_t i = 0; i < levelRecords.size(); ++i)
	{
		GMapLevelRecord& record = levelRecords[i];
		const GLevelScoreEntry entry = levelScoreOf(locationButtons[i]);
		record.completed = static_cast<int>(i) <= maxUnlocked;
		int value = 0;
		if (record.completed)
			record.time = storedValue(times, i, value) ? value : 0;
		else
			record.time = entry.time * 1000;
		record.rank = storedValue(scores, i, value) ? rankOf(value, entry) : 0;
	}

	if (!gGameApplication || !gGameApplication->upgradesConfiguration)
		return;
	std::vector<StringId> bought;
	const irr::core::stringc boughtText = profile ? profile->getString(ProfileKey::BoughtUpgrades) : "";
	irr::core::array<irr::core::stringc> names;
	boughtText.split(names, ";", 1, true, false);
	for (irr::u32 i = 0; i < names.size(); ++i)
		bought.push_back(internStringId(names[i].c_str()));

	for (const auto& named : gGameApplication->upgradesConfiguration->getUpgrades())
	{
		const SmartPointer<GUpgrade>& upgrade = named.second;
		const int index = locationOfLevel(upgrade->getObligatoryLevel(), static_cast<int>(levelRecords.size()));
		if (index < 0)
			continue;
		GMapLevelRecord& record = levelRecords[static_cast<size_t>(index)];
		record.upgrades.push_back(upgrade);
		// A free upgrade is owned from the start, like everywhere else in the game.
		record.upgradeBought.push_back(upgrade->isFree() ||
		                               std::find(bought.begin(), bought.end(), upgrade->getName()) != bought.end());
	}
}

bool GMapScene::areLevelUpgradesBought(irr::u32 index) const
{
	if (index >= levelRecords.size())
		return true;
	const std::vector<bool>& flags = levelRecords[index].upgradeBought;
	return std::all_of(flags.begin(), flags.end(), [](bool b) { return b; });
}

void GMapScene::refreshLocationButtons()
{
	const CProfile* profile = currentProfile();
	const int maxUnlocked = profileInt(ProfileKey::MaxUnlockedLevelIndex);
	const irr::core::array<irr::s32> scores = parseIntList(profile ? profile->getString(ProfileKey::Scores) : "");
	for (size_t i = 0; i < locationButtons.size(); ++i)
	{
		GMapLocationButton* button = locationButtons[i];
		const bool reachable = static_cast<int>(i) - 1 <= maxUnlocked;
		button->setEnabled(reachable);
		if (reachable)
			button->setUpgradesBoughtPlatform(areLevelUpgradesBought(static_cast<irr::u32>(i)));
		if (isMiniGameLocation(static_cast<int>(i)))
			button->setMiniGamePlatform(true);
		int score = 0;
		button->setRankStar(storedValue(scores, i, score) ? rankOf(score, levelScoreOf(button)) : 0);
	}
}

// ---- hints

void GMapScene::showLevelHint(GMapLocationButton* button)
{
	if (!getDevice()->getDictionary())
		return;
	const int found = indexOf(button);
	const size_t index = found < 0 ? 0 : static_cast<size_t>(found);
	if (!button || index >= levelRecords.size())
	{
		for (BaseNode* hint : levelHintNodes)
			if (hint)
				hint->setVisible(false);
		return;
	}
	const GMapLevelRecord& record = levelRecords[index];
	const size_t upgrades = record.upgrades.size();
	const size_t first = upgrades == 0 ? 0 : upgrades == 1 ? 2 : 4;
	BaseNode* hint = levelHintNodes[first + (record.completed ? 1 : 0)];
	if (!hint)
		return;
	hint->setVisible(true);
	placeLevelHint(hint, button->getPosition().X, button->getPosition().Y);
	fillLevelHint(hint, button, record);
}

void GMapScene::fillLevelHint(BaseNode* hint, const GMapLocationButton* button, const GMapLevelRecord& record)
{
	CDictionary* dictionary = getDevice()->getDictionary();
	if (TextNode* text = childOf<TextNode>(hint, "LevelText"))
	{
		// The level's own name ("level5" reads "Level5_Name"); the sign's text when it has none.
		irr::core::stringc key = button->getAssociatedLevelName();
		if (!key.empty())
			key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
		key += "_Name";
		text->setText(dictionary->hasText(key) ? dictionary->getText(key) : button->getText());
	}
	if (TextNode* text = childOf<TextNode>(hint, "TimeText"))
	{
		const irr::core::stringw time = formatTotalMinutesSeconds(static_cast<unsigned>(std::max(record.time, 0)));
		text->setText(record.completed ? time : dictionary->format("Map_ExpertTime", time));
	}
	if (TextNode* text = childOf<TextNode>(hint, "RankText"))
		text->setText(record.rank == 2 ? L"%Map_RankExpert%" : L"%Map_RankGamer%");
	const char* placeTexts[] = {"Place1Text", "Place2Text"};
	const char* placeSigns[] = {"Place1Sign", "Place2Sign"};
	const char* icons[] = {"Icon1", "Icon2"};
	for (size_t i = 0; i < 2; ++i)
	{
		if (i < record.upgrades.size())
		{
			const irr::core::stringc name = getStringById(record.upgrades[i]->getName()).c_str();
			if (TextNode* text = childOf<TextNode>(hint, placeTexts[i]))
				text->setText(dictionary->getText(name));
			if (SpriteNode* icon = childOf<SpriteNode>(hint, icons[i]))
				showPicture(icon, irr::core::stringc("scenes/images/Map/Icons/") + name + ".png");
		}
		if (i < record.upgradeBought.size())
			if (SpriteNode* sign = childOf<SpriteNode>(hint, placeSigns[i]))
				showPicture(sign, record.upgradeBought[i] ? "scenes/images/Map/O.png" : "scenes/images/Map/N.png");
	}
}

void GMapScene::placeLevelHint(BaseNode* hint, float x, float y)
{
	struct Placement
	{
		const char* arrow;
		irr::core::vector2df pivot;
	};
	// The arrow points at the sign from the side that keeps the panel on the screen.
	const bool small = hint == levelHintNodes[0] || hint == levelHintNodes[1];
	const float arrowY = small ? 43.0f : 81.0f;
	const Placement left{"ArrowL", {-52.0f, arrowY}};
	const Placement right{"ArrowR", {238.0f, arrowY}};
	const Placement below{"Arrow", {92.0f, small ? 133.0f : 219.0f}};
	Placement chosen = below;
	if (!small && y < 250.0f)
		chosen = x < 512.0f ? left : right;
	else if (x < 100.0f)
		chosen = left;
	else if (x > 924.0f)
		chosen = right;
	hint->setPivotPoint(chosen.pivot);
	hint->setPosition({x, y, 3000.0f});
	showHintArrow(hint, nameId(chosen.arrow));
}

void GMapScene::showHintArrow(BaseNode* hint, StringId arrow)
{
	for (const char* name : {"Arrow", "ArrowL", "ArrowR"})
		if (BaseNode* node = hint->findChild(nameId(name), 0))
			node->setVisible(nameId(name) == arrow);
}

// ---- input

void GMapScene::selectLocation(GMapLocationButton* button)
{
	const int index = indexOf(button);
	CProfile* profile = currentProfile();
	if (index >= 0 && profile)
	{
		profile->setInt(ProfileKey::LevelIndex, index);
		profile->setString(ProfileKey::LevelName, button->getAssociatedLevelName());
		CProfileManager::instance()->saveProfiles();
	}
	if (selectedLocation)
		selectedLocation->setSelected(false);
	selectedLocation = button;
	button->setSelected(true);
	if (!playButton)
		return;
	const irr::u32 checked = index >= 0 ? static_cast<irr::u32>(index) : static_cast<irr::u32>(locationButtons.size());
	playButton->setEnabled(areLevelUpgradesBought(checked));
	// A location that needs an upgrade the player lacks goes straight to the shop.
	if (!playButton->isEnabled())
		openScene(ShopSceneName, false, nameIdNavFrom(), nameIdNavTo());
}

bool GMapScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	BaseNode* node = event->control;
	if (!node)
		return false;
	if (auto* location = nodeCast<GMapLocationButton>(node))
	{
		selectLocation(location);
		return true;
	}
	const StringId name = node->getName();
	if (name == nameId("BackButton"))
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (name == nameId("ShopButton"))
	{
		openScene(ShopSceneName, false, nameIdNavFrom(), nameIdNavTo());
		return true;
	}
	if (name == nameId("SkipTutorialButton"))
	{
		tutorial.skip();
		return false;
	}
	if (name == nameId("PlayButton"))
	{
		if (selectedLocation && !selectedLocation->getAssociatedLevelName().empty())
			openLevelLoading(this, selectedLocation->getAssociatedLevelName());
		return true;
	}
	return false;
}

bool GMapScene::onNodeHovered(CEventNodeHovered* event)
{
	if (GBaseSceneNode::onNodeHovered(event))
		return true;
	auto* location = nodeCast<GMapLocationButton>(subjectOf(event));
	if (!location)
		return false;
	location->setSelected(true);
	showLevelHint(location);
	return true;
}

bool GMapScene::onNodeUnhovered(CEventNodeUnhovered* event)
{
	if (GBaseSceneNode::onNodeUnhovered(event))
		return true;
	showSelectedLevelNeeds();
	auto* location = nodeCast<GMapLocationButton>(subjectOf(event));
	if (!location)
		return false;
	if (location != selectedLocation)
		location->setSelected(false);
	return true;
}
