#include "../GameTestSupport.h"
#include "FrontendTestSupport.h"
#include "app/GGameApplication.h"
#include "audio/CSoundManager.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/ImageContent.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelPaths.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "data/GameNodeTypeIds.h"
#include "data/ProfileKeys.h"
#include "device/CDeviceStub.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "frontend/GIntroScene.h"
#include "frontend/GMainMenuScene.h"
#include "frontend/GSelectPlayerScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "frontend/GShopButton.h"
#include "frontend/GShopScene.h"
#include "level/GGameLevelScene.h"
#include "nodes/SpriteNode.h"
#include "play/GGamePlayScene.h"
#include "play/GInGameMenuScene.h"
#include "play/GLevelCompletedScene.h"
#include "play/GLevelObjectivesScene.h"
#include "play/GLoadingLevelScene.h"
#include "play/tutorial/GTutorial.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <chrono>
#include <filesystem>
#include <irrlicht/IVideoDriver.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The game on the null driver, in the build tree with the built content, walked from the logos over the
// intro and the main menu onto the city map and into the first level.
namespace
{
class NullDriverApplication : public GGameApplication
{
protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.driverType = 0;
	}
};

class FrontDoorRoad : public testing::Test
{
protected:
	void SetUp() override
	{
		const std::string root = binaryDir() + "/bin";
		if (!std::filesystem::exists(root + "/assets/scenes/backgrounds/MapBg.png"))
			GTEST_SKIP() << "the content set has not been built";
		device = dynamic_cast<CDeviceStub*>(getDevice());
		ASSERT_NE(device, nullptr);
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new NullDriverApplication();
		ASSERT_TRUE(application->init()) << log.dump();
	}

	void TearDown() override
	{
		if (application)
		{
			application->shutdown();
			application->drop();
		}
		forgetPlayer();
		inBuildTree.reset();
	}

	// The profile manager outlives the test: the player made here goes with it.
	static void forgetPlayer()
	{
		CProfileManager* profiles = CProfileManager::instance();
		profiles->setActiveProfile(-1);
		for (int i = profiles->getProfileCount() - 1; i >= 0; --i)
			if (profiles->getProfile(i)->getName() == L"Ada")
				profiles->removeProfile(i);
	}

	// The player of the story: levels 1 to 9 done, gold on the first, silver on the second, the cafe bought.
	static CProfile* choosePlayer(int maxUnlocked, const char* times = "241000")
	{
		CProfileManager* profiles = CProfileManager::instance();
		EXPECT_TRUE(profiles->addProfile(L"Ada"));
		profiles->setActiveProfile(profiles->getProfileCount() - 1);
		CProfile* player = profiles->getActiveProfile();
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, maxUnlocked);
		player->setInt(ProfileKey::LevelIndex, 2);
		player->setString(ProfileKey::Scores, "1500;1150;1149");
		player->setString(ProfileKey::Times, times);
		player->setString(ProfileKey::BoughtUpgrades, "Cafe");
		return player;
	}

	bool stepUntil(int maxSteps, const std::function<bool()>& done)
	{
		return frontendtest::stepUntil(device, application, maxSteps, done);
	}

	SceneNode* top() const { return application->uiSceneManager->getTopScene(); }
	bool settled() const { return !application->uiSceneManager->isInNavigation(top()); }
	template <class T> bool onTop() const { return nodeCast<T>(top()) && settled(); }

	GMapScene* openMap(int maxUnlocked, const char* times = "241000")
	{
		choosePlayer(maxUnlocked, times);
		if (!stepUntil(2000, [&] { return onTop<GMainMenuScene>(); }))
			return nullptr;
		GMainMenuScene* menu = nodeCast<GMainMenuScene>(top());
		CEventNodeClicked play(
		    menu->findChild(internStringId("Scene"), 0)->findChild(internStringId("NewGameButton"), 0));
		menu->onEvent(&play);
		stepUntil(200, [&] { return onTop<GMapScene>(); });
		return nodeCast<GMapScene>(top());
	}

	// From the play screen: Esc opens the pause menu, whose main menu button closes back to the main menu.
	void leaveLevelForTheMainMenu()
	{
		CEventInputKeyUp escape(0, 27, false, false);
		EXPECT_TRUE(top()->onEvent(&escape));
		ASSERT_TRUE(stepUntil(200, [&] { return onTop<GInGameMenuScene>(); }));
		auto* menu = nodeCast<GInGameMenuScene>(top());
		click(menu, menu->findChild(internStringId("Scene"), 0)->findChild(internStringId("MainMenuButton"), 0));
		ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMainMenuScene>(); }));
	}

	void click(GBaseSceneNode* scene, BaseNode* node)
	{
		CEventNodeClicked clicked(node);
		scene->onEvent(&clicked);
		stepUntil(20, [] { return false; });
	}

	static irr::core::stringc pictureOf(const SpriteNode* sprite)
	{
		AtlasTexture* frame = sprite ? sprite->getAtlasTexture() : nullptr;
		return frame ? frame->getContentRef().getName() : irr::core::stringc();
	}

	GameDataFolders folders;
	LogCapture log;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	CDeviceStub* device = nullptr;
	NullDriverApplication* application = nullptr;
};
} // namespace

TEST_F(FrontDoorRoad, TheIntroLoadsTheSharedContentAndOpensTheMenu)
{
	choosePlayer(9);
	ASSERT_TRUE(stepUntil(600, [&] { return nodeCast<GIntroScene>(top()) != nullptr; })) << log.dump();
	EXPECT_EQ(device->getSetting("TitleCaption"), irr::core::stringw(L"Verandel"));
	ASSERT_TRUE(stepUntil(600, [&] { return onTop<GMainMenuScene>(); })) << log.dump();

	// What the steps load is now in the application's objects and managers.
	EXPECT_EQ(application->levelScores->size(), 28u);
	EXPECT_FALSE(application->buildingsConfiguration->getRecords().empty());
	EXPECT_TRUE(application->upgradesConfiguration->findUpgrade(internStringId("Hostel")));
	TemplateCollectionNode* templates = application->uiSceneManager->getTemplateCollection();
	ASSERT_NE(templates, nullptr);
	EXPECT_NE(templates->findTemplate(internStringId("MapLocation")), nullptr);
	// The movers join the menu's and the level's templates; the fireworks are level templates too.
	EXPECT_NE(templates->findTemplate(internStringId("MenuCar")), nullptr);
	TemplateCollectionNode* world = application->worldSceneManager->getTemplateCollection();
	ASSERT_NE(world, nullptr);
	EXPECT_NE(world->findTemplate(internStringId("CarRed")), nullptr);
	EXPECT_NE(world->findTemplate(internStringId("Firework1")), nullptr);
	if (CSoundManager* sounds = device->getSoundManager())
		EXPECT_NE(sounds->getCue(internStringId("ButtonClick")), nullptr);

	auto* menu = nodeCast<GMainMenuScene>(top());
	ASSERT_NE(menu->getWelcomeText(), nullptr);
	EXPECT_EQ(menu->getWelcomeText()->getText(), irr::core::stringw(L"Welcome, Ada!"));
	EXPECT_GT(menu->getLevelPaths()->getCarGroupCount(), 0);
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

// Pictures prepared for content nobody asks for fill the room the loading thread's pictures wait in: its
// results stop coming, and the intro gives it up and reads the rest itself instead of waiting for ever.
TEST_F(FrontDoorRoad, AStalledLoadingThreadStillEndsTheIntro)
{
	choosePlayer(9);
	ASSERT_TRUE(stepUntil(600, [&] { return nodeCast<GIntroScene>(top()) != nullptr; })) << log.dump();
	CContentManager* content = application->contentManager;
	irr::video::IVideoDriver* driver = getDevice()->getVideoDriver();
	ASSERT_NE(driver, nullptr);
	for (const char* stray : {"stray/one.png", "stray/two.png", "stray/three.png"})
		content->addPreparedImage(ContentRef(content, stray),
		                          new ImageContent(driver->createImage(irr::video::ECF_A8R8G8B8, {1, 1}),
		                                           ContentRef(content, stray)));
	const auto started = std::chrono::steady_clock::now();
	while (!onTop<GMainMenuScene>() && std::chrono::steady_clock::now() - started < std::chrono::seconds(60))
		stepUntil(1, [] { return false; });
	ASSERT_TRUE(onTop<GMainMenuScene>()) << log.dump();
	EXPECT_TRUE(log.contains("Reading ahead stalled")) << log.dump();
	EXPECT_EQ(application->levelScores->size(), 28u);
	TemplateCollectionNode* templates = application->uiSceneManager->getTemplateCollection();
	ASSERT_NE(templates, nullptr);
	EXPECT_NE(templates->findTemplate(internStringId("MapLocation")), nullptr);
}

TEST_F(FrontDoorRoad, AFreshPlayerGoesStraightToTheFirstLevel)
{
	CProfile* player = choosePlayer(-1);
	player->setInt(ProfileKey::LevelIndex, 5);
	ASSERT_TRUE(stepUntil(2000, [&] { return onTop<GMainMenuScene>(); })) << log.dump();
	auto* menu = nodeCast<GMainMenuScene>(top());
	CEventNodeClicked newGame(
	    menu->findChild(internStringId("Scene"), 0)->findChild(internStringId("NewGameButton"), 0));
	menu->onEvent(&newGame);
	// The first level is chosen and the loading scene opens over the menu with its folder's name.
	EXPECT_EQ(player->getInt(ProfileKey::LevelIndex), 0);
	auto* loading = nodeCast<GLoadingLevelScene>(top());
	ASSERT_NE(loading, nullptr);
	EXPECT_EQ(loading->getLevelName(), irr::core::stringc("level1"));
	// The level starts under its goals; Enter closes them.
	ASSERT_TRUE(stepUntil(500, [&] { return onTop<GLevelObjectivesScene>(); })) << log.dump();
	CEventInputKeyUp enter(0, 13, false, false);
	top()->onEvent(&enter);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GGamePlayScene>(); }));

	// Restarted from the pause menu, the level loads again from the loading scene and shows its goals.
	CEventInputKeyUp escape(0, 27, false, false);
	top()->onEvent(&escape);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GInGameMenuScene>(); }));
	click(nodeCast<GBaseSceneNode>(top()),
	      top()->findChild(internStringId("Scene"), 0)->findChild(internStringId("RestartButton"), 0));
	ASSERT_TRUE(stepUntil(200, [&] { return top() == loading; }));
	ASSERT_TRUE(stepUntil(500, [&] { return onTop<GLevelObjectivesScene>(); })) << log.dump();
	top()->onEvent(&enter);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GGamePlayScene>(); }));

	// Won at once (the developer's key): after the achievements it earned, the level-won popup leads
	// on to the map, opened over the main menu, since the first level is behind the player now.
	gDeveloperMode = true;
	CEventInputKeyUp win(0, 69, false, false);
	top()->onEvent(&win);
	gDeveloperMode = false;
	ASSERT_TRUE(stepUntil(1000,
	                      [&]
	                      {
		                      if (onTop<GAchievementUnlockedScene>())
			                      top()->onEvent(&enter);
		                      return onTop<GLevelCompletedScene>();
	                      }))
	    << log.dump();
	top()->onEvent(&enter);
	// The story goes on over the map: the first comic, where the game has its scene, is closed first.
	auto mapShown = [&]
	{ return top() && (nodeCast<GMapScene>(top()) || nodeCast<GMapScene>(top()->getSceneBelow())); };
	ASSERT_TRUE(stepUntil(500, [&] { return mapShown() && settled(); }));
	if (!nodeCast<GMapScene>(top()))
	{
		top()->closeTo(0);
		ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMapScene>(); }));
	}
	EXPECT_EQ(top()->getSceneBelow(), menu);
	EXPECT_EQ(player->getInt(ProfileKey::LevelIndex), 1);
	EXPECT_EQ(application->worldSceneManager->getTopScene(), nullptr);
	top()->onEvent(&escape);
	ASSERT_TRUE(stepUntil(200, [&] { return top() == menu && settled(); }));

	// Each of the menu's other buttons opens its screen over the menu, which goes back to the menu.
	struct Screen
	{
		const char* button;
		int typeId;
	};
	for (const Screen& screen :
	     {Screen{"OptionsButton", NodeTypeGOptionsScene}, Screen{"AchievementsButton", NodeTypeGAchievementsScene},
	      Screen{"ChangePlayerButton", NodeTypeGSelectPlayerScene},
	      Screen{"QuitButton", NodeTypeGQuitConfirmationScene}})
	{
		click(menu, menu->findChild(internStringId("Scene"), 0)->findChild(internStringId(screen.button), 0));
		ASSERT_TRUE(stepUntil(500, [&] { return top() && top()->isKindOf(screen.typeId) && settled(); }))
		    << screen.button;
		top()->closeTo(0);
		ASSERT_TRUE(stepUntil(500, [&] { return top() == menu && settled(); })) << screen.button;
	}
}

TEST_F(FrontDoorRoad, TheMapShowsReachRanksAndMissingUpgrades)
{
	GMapScene* map = openMap(9);
	ASSERT_NE(map, nullptr) << log.dump();
	const std::vector<GMapLocationButton*>& buttons = map->getLocationButtons();
	ASSERT_EQ(buttons.size(), 32u);
	EXPECT_EQ(map->getSelectedLocation(), buttons[2]);
	EXPECT_EQ(buttons[7]->getAssociatedLevelName(), irr::core::stringc("minigame1"));
	EXPECT_EQ(buttons[8]->getAssociatedLevelName(), irr::core::stringc("level8"));

	struct Expected
	{
		int index;
		bool enabled;
		const char* platform;
		const char* star;
	};
	const Expected expected[] = {
	    {0, true, "scenes/images/Map/Platform.png", "scenes/images/Map/GoldStar.png"},
	    {1, true, "scenes/images/Map/Platform.png", "scenes/images/Map/SilverStar.png"},
	    {2, true, "scenes/images/Map/Platform.png", ""},
	    {3, true, "scenes/images/Map/Platform(Red).png", ""},    // the hostel is missing
	    {7, true, "scenes/images/Map/Platform(Green).png", ""},  // mini-game, reached
	    {10, true, "scenes/images/Map/Platform(Red).png", ""},   // the next to play, needs the garden
	    {11, false, "scenes/images/Map/Platform(Grey).png", ""}, // beyond reach
	    {15, false, "scenes/images/Map/Platform(Grey).png", ""}, // a mini-game beyond reach stays grey
	};
	for (const Expected& e : expected)
	{
		GMapLocationButton* button = buttons[static_cast<size_t>(e.index)];
		EXPECT_EQ(button->isEnabled(), e.enabled) << e.index;
		EXPECT_EQ(pictureOf(button->getPlatform()), irr::core::stringc(e.platform)) << e.index;
		EXPECT_EQ(pictureOf(button->getStar()), irr::core::stringc(e.star)) << e.index;
	}

	// The records: times done and to beat, and the upgrades each location needs.
	const std::vector<GMapLevelRecord>& records = map->getLevelRecords();
	EXPECT_EQ(records[0].time, 241000);
	EXPECT_EQ(records[12].time, application->levelScores->lookup("level12").time * 1000);
	ASSERT_EQ(records[3].upgrades.size(), 1u);
	EXPECT_EQ(records[3].upgrades[0]->getName(), internStringId("Hostel"));
	EXPECT_FALSE(map->areLevelUpgradesBought(3));
	EXPECT_TRUE(map->areLevelUpgradesBought(1));
	EXPECT_TRUE(map->areLevelUpgradesBought(32));
}

// A best time of an hour or more keeps its hours in the minutes.
TEST_F(FrontDoorRoad, HintsShowTheBestTimeInWholeMinutes)
{
	GMapScene* map = openMap(9, "241000;3723000;3600000");
	ASSERT_NE(map, nullptr) << log.dump();
	struct Case
	{
		int location;
		const wchar_t* time;
	};
	for (const Case& c : {Case{0, L"04:01"}, Case{1, L"62:03"}, Case{2, L"60:00"}})
	{
		CEventNodeHovered hover(nullptr, map->getLocationButtons()[static_cast<size_t>(c.location)]);
		EXPECT_TRUE(map->onEvent(&hover));
		const TextNode* shown = nullptr;
		for (int hint = 1; hint <= 6 && !shown; ++hint)
			if (map->getLevelHint(hint) && map->getLevelHint(hint)->isVisible())
				shown = nodeCast<TextNode>(map->getLevelHint(hint)->findChild(internStringId("TimeText"), 0));
		ASSERT_NE(shown, nullptr) << c.location;
		EXPECT_EQ(shown->getDisplayedText(), irr::core::stringw(c.time)) << c.location;
		CEventNodeUnhovered unhover(nullptr, map->getLocationButtons()[static_cast<size_t>(c.location)]);
		map->onEvent(&unhover);
	}
}

TEST_F(FrontDoorRoad, HintsNameTheLevelAndPointAtTheSign)
{
	GMapScene* map = openMap(9);
	ASSERT_NE(map, nullptr) << log.dump();
	GMapLocationButton* hostelLevel = map->getLocationButtons()[3];
	CEventNodeHovered hover(nullptr, hostelLevel);
	EXPECT_TRUE(map->onEvent(&hover));
	BaseNode* hint = map->getLevelHint(4);
	ASSERT_TRUE(hint->isVisible());
	for (int other : {1, 2, 3, 5, 6})
		EXPECT_FALSE(map->getLevelHint(other)->isVisible()) << other;
	const auto textOf = [&](const char* name)
	{ return nodeCast<TextNode>(hint->findChild(internStringId(name), 0))->getDisplayedText(); };
	EXPECT_EQ(textOf("LevelText"), irr::core::stringw(L"Chapel Lane"));
	EXPECT_EQ(textOf("RankText"), irr::core::stringw(L"Rank: Builder"));
	EXPECT_EQ(textOf("Place1Text"), irr::core::stringw(L"Hostel"));
	EXPECT_EQ(pictureOf(nodeCast<SpriteNode>(hint->findChild(internStringId("Place1Sign"), 0))),
	          irr::core::stringc("scenes/images/Map/N.png"));

	// Where the hint stands and which arrow it shows, by the sign's place on the screen.
	struct Placement
	{
		int hint;
		float x, y;
		const char* arrow;
		irr::core::vector2df pivot;
	};
	const Placement placements[] = {
	    {1, 80, 400, "ArrowL", {-52, 43}},  {1, 950, 400, "ArrowR", {238, 43}}, {2, 500, 100, "Arrow", {92, 133}},
	    {3, 80, 100, "ArrowL", {-52, 81}},  {4, 600, 100, "ArrowR", {238, 81}}, {5, 80, 400, "ArrowL", {-52, 81}},
	    {6, 950, 400, "ArrowR", {238, 81}}, {6, 500, 400, "Arrow", {92, 219}},
	};
	for (const Placement& p : placements)
	{
		BaseNode* node = map->getLevelHint(p.hint);
		map->placeLevelHint(node, p.x, p.y);
		EXPECT_EQ(node->getPivotPoint(), p.pivot) << p.hint << " " << p.x << "," << p.y;
		EXPECT_EQ(node->getPosition(), irr::core::vector3df(p.x, p.y, 3000.0f));
		for (const char* arrow : {"Arrow", "ArrowL", "ArrowR"})
			EXPECT_EQ(node->findChild(internStringId(arrow), 0)->isVisible(), std::string(arrow) == p.arrow)
			    << p.hint << " " << p.x << "," << p.y << " " << arrow;
	}

	// Leaving the sign hides the hint again.
	CEventNodeUnhovered unhover(hostelLevel, nullptr);
	EXPECT_TRUE(map->onEvent(&unhover));
	EXPECT_FALSE(hint->isVisible());
}

TEST_F(FrontDoorRoad, ChoosingALocationSavesItAndLeadsToTheShopOrTheLevel)
{
	GMapScene* map = openMap(9);
	ASSERT_NE(map, nullptr) << log.dump();
	CProfile* player = CProfileManager::instance()->getActiveProfile();
	ControlNode* play = map->getPlayButton();
	ASSERT_NE(play, nullptr);

	// A location that needs the hostel: chosen, the play button off, the shop opens over the map.
	click(map, map->getLocationButtons()[3]);
	EXPECT_EQ(player->getInt(ProfileKey::LevelIndex), 3);
	EXPECT_EQ(player->getString(ProfileKey::LevelName), irr::core::stringc("level4"));
	EXPECT_EQ(map->getSelectedLocation(), map->getLocationButtons()[3]);
	EXPECT_FALSE(play->isEnabled());
	ASSERT_TRUE(stepUntil(500, [&] { return top() && top()->isKindOf(NodeTypeGShopScene) && settled(); }));
	top()->closeTo(0);
	ASSERT_TRUE(stepUntil(500, [&] { return top() == map && settled(); }));

	// A playable one: play opens the loading scene with the location's level folder.
	click(map, map->getLocationButtons()[0]);
	EXPECT_TRUE(play->isEnabled());
	EXPECT_FALSE(map->getLocationButtons()[3]->getSelector()->isVisible());
	EXPECT_TRUE(map->getLocationButtons()[0]->getSelector()->isVisible());
	CEventNodeClicked playPressed(play);
	map->onEvent(&playPressed);
	auto* loading = nodeCast<GLoadingLevelScene>(top());
	ASSERT_NE(loading, nullptr);
	EXPECT_EQ(loading->getLevelName(), irr::core::stringc("level1"));

	// The level's goals over the play screen, which is over the loading scene and the map.
	ASSERT_TRUE(stepUntil(500, [&] { return onTop<GLevelObjectivesScene>(); })) << log.dump();
	auto* goals = nodeCast<GLevelObjectivesScene>(top());
	ASSERT_NE(goals->getLevelText(), nullptr);
	EXPECT_EQ(goals->getLevelText()->getText(), irr::core::stringw(L"Level 1"));
	auto* playScreen = nodeCast<GGamePlayScene>(goals->getSceneBelow());
	ASSERT_NE(playScreen, nullptr);
	EXPECT_EQ(playScreen->getSceneBelow(), loading);
	EXPECT_EQ(loading->getSceneBelow(), map);
	EXPECT_EQ(application->worldSceneManager->getTopScene(), static_cast<SceneNode*>(goals->getLevel()));
	EXPECT_EQ(loading->getLevelScene(), nullptr) << "handed on to the play screen";

	// OK starts playing; the pause menu's main menu button leaves the level for the main menu.
	click(goals, goals->findChild(internStringId("Scene"), 0)->findChild(internStringId("OkButton"), 0));
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GGamePlayScene>(); }));
	leaveLevelForTheMainMenu();
	EXPECT_EQ(application->worldSceneManager->getTopScene(), nullptr);
}

TEST_F(FrontDoorRoad, TwoLogosOfThreeSecondsLastAboutSevenSeconds)
{
	choosePlayer(9);
	int elapsed = 0;
	ASSERT_TRUE(stepUntil(600,
	                      [&]
	                      {
		                      elapsed += 30;
		                      return nodeCast<GIntroScene>(top()) != nullptr;
	                      }));
	// Each logo for its time, then one more second while the last one fades.
	EXPECT_GE(elapsed, 7000);
	EXPECT_LE(elapsed, 7200);
}

TEST_F(FrontDoorRoad, AClickSkipsTheLogoOnScreen)
{
	choosePlayer(9);
	stepUntil(20, [] { return false; });
	// Two clicks on the first logo end it once; the second logo and the fade still take their time.
	SmartPointer<CEventInputMouseLeftDown> press(new CEventInputMouseLeftDown(500, 400));
	for (int i = 0; i < 2; ++i)
		EXPECT_TRUE(top()->sendToChildren(0, press.get()));
	int elapsed = 20 * 30;
	ASSERT_TRUE(stepUntil(600,
	                      [&]
	                      {
		                      elapsed += 30;
		                      return nodeCast<GIntroScene>(top()) != nullptr;
	                      }));
	EXPECT_GE(elapsed, 4000);
	EXPECT_LE(elapsed, 5000);
}

namespace
{
// Stands in for the level-completed scene, whose return to the menu after the last level starts the roll.
class LastLevelCompleted : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(LastLevelCompleted, NodeTypeGLevelCompletedScene, GBaseSceneNode)
};
} // namespace

TEST_F(FrontDoorRoad, TheFinalCreditsRollOnlyAfterTheLastLevel)
{
	choosePlayer(27);
	ASSERT_TRUE(stepUntil(2000, [&] { return onTop<GMainMenuScene>(); })) << log.dump();
	auto* menu = nodeCast<GMainMenuScene>(top());
	BaseNode* panel = menu->findChild(internStringId("Scene"), 0);
	BaseNode* active = menu->findChild(internStringId("BgScene"), 0)->findChild(internStringId("ActiveBg"), 0);
	BaseNode* clip = active->findChild(internStringId("ClipNode"), 0);
	auto* back = nodeCast<ControlNode>(active->findChild(internStringId("BackButton"), 0));
	ASSERT_TRUE(panel && clip && back);
	// "panel clip back": visibility of the menu panel, the roll and its button, and the button's state.
	const auto looks = [&]
	{
		std::string text;
		for (const BaseNode* node : {panel, clip, static_cast<BaseNode*>(back)})
			text += node->isVisible() ? "1" : "0";
		return text + (back->isEnabled() ? " on" : " off");
	};
	EXPECT_EQ(looks(), "100 off");

	SmartPointer<LastLevelCompleted> completed(new LastLevelCompleted());
	CEventNodeSceneChangeStarted fromOtherScene(menu, menu, 1);
	EXPECT_TRUE(menu->onEvent(&fromOtherScene));
	EXPECT_EQ(looks(), "100 off");

	CEventNodeSceneChangeStarted fromLastLevel(completed.get(), menu, 1);
	EXPECT_TRUE(menu->onEvent(&fromLastLevel));
	EXPECT_EQ(looks(), "011 on");
	EXPECT_EQ(panel->getPosition().X, 1024.0f);

	// The names roll up through the clip.
	BaseNode* names = clip->findChild(internStringId("CreditsText"), 0);
	ASSERT_NE(names, nullptr);
	const float startY = names->getPosition().Y;
	stepUntil(30, [] { return false; });
	EXPECT_LT(names->getPosition().Y, startY);

	// The back button ends the roll: the panel comes back in.
	click(menu, back);
	EXPECT_EQ(looks(), "101 off");
	EXPECT_EQ(panel->getPosition(), irr::core::vector3df(692.0f, 196.0f, 100.0f));

	// The roll's end does the same; the menu is left mid-roll, the panel lands at once.
	EXPECT_TRUE(menu->onEvent(&fromLastLevel));
	EXPECT_TRUE(stepUntil(1000, [&] { return !clip->isVisible(); }));
	EXPECT_EQ(looks(), "101 off");
	EXPECT_TRUE(menu->onEvent(&fromLastLevel));
	CEventNodeSceneChangeStarted leaving(menu, completed.get(), 1);
	EXPECT_TRUE(menu->onEvent(&leaving));
	EXPECT_TRUE(panel->isVisible());
	EXPECT_FALSE(clip->isVisible());
	EXPECT_EQ(panel->getPosition(), irr::core::vector3df(692.0f, 196.0f, 100.0f));
	EXPECT_EQ(panel->getTintColor().getAlpha(), 255u);
}

TEST_F(FrontDoorRoad, WithoutAPlayerTheMenuAsksForOne)
{
	CProfileManager::instance()->setActiveProfile(-1);
	// The name entry opens by itself, over the player list over the menu.
	ASSERT_TRUE(
	    stepUntil(2000, [&] { return top() && top()->isKindOf(NodeTypeGSelectPlayerInputNameScene) && settled(); }))
	    << log.dump();
	SceneNode* list = top()->getSceneBelow();
	ASSERT_TRUE(list && list->isKindOf(NodeTypeGSelectPlayerScene));
	auto* menu = nodeCast<GMainMenuScene>(list->getSceneBelow());
	ASSERT_NE(menu, nullptr);
	// Nobody is greeted before the first player is named; the greeting follows once there is one.
	ASSERT_NE(menu->getWelcomeText(), nullptr);
	EXPECT_EQ(menu->getWelcomeText()->getText(), irr::core::stringw());
	choosePlayer(0);
	nodeCast<GSelectPlayerScene>(list)->confirmSelection();
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMainMenuScene>(); })) << log.dump();
	EXPECT_EQ(menu->getWelcomeText()->getText(), irr::core::stringw(L"Welcome, Ada!"));
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

namespace
{
// The map's or the shop's tutorial window, shown with a text.
bool tutorialShown(const GMenuTutorial& tutorial)
{
	const GTutorial* running = tutorial.get();
	return running && running->getWindow() && running->getWindow()->isVisible();
}

int arrowsShown(const GMenuTutorial& tutorial)
{
	const BaseNode* arrows = tutorial.get() ? tutorial.get()->getArrowsNode() : nullptr;
	return arrows ? static_cast<int>(arrows->getChildren().size()) : 0;
}
} // namespace

TEST_F(FrontDoorRoad, TheFirstMapVisitRunsTheMapTutorialAndStoresItOnceSeen)
{
	GMapScene* map = openMap(0);
	ASSERT_NE(map, nullptr) << log.dump();
	CProfile* player = CProfileManager::instance()->getActiveProfile();
	ASSERT_TRUE(stepUntil(20, [&] { return tutorialShown(map->getTutorial()); })) << "no tutorial on the first visit";
	EXPECT_EQ(map->getTutorial().getProfileKey(), irr::core::stringc(ProfileKey::ShowTutorialMap1));
	EXPECT_EQ(arrowsShown(map->getTutorial()), 0);

	// A click anywhere is the tutorial's: the location the next hint points at is not chosen by it.
	BaseNode* scene = map->findChild(internStringId("Scene"), 0);
	click(map, scene);
	EXPECT_EQ(map->getTutorial().get()->getCurrentHint(), 1);
	EXPECT_EQ(arrowsShown(map->getTutorial()), 1);
	click(map, map->getLocationButtons()[2]);
	EXPECT_EQ(map->getTutorial().get()->getCurrentHint(), 1) << "a click elsewhere moved the tutorial on";
	EXPECT_EQ(player->getInt(ProfileKey::LevelIndex), 2);

	// The location it asks for ends it; leaving the map then stores it as seen.
	click(map, map->getLocationButtons()[1]);
	EXPECT_EQ(player->getInt(ProfileKey::LevelIndex), 1);
	ASSERT_TRUE(stepUntil(50, [&] { return !map->getTutorial().isHeld(); }));
	EXPECT_TRUE(player->getBool(ProfileKey::ShowTutorialMap1));
	CEventInputKeyUp escape(0, 27, false, false);
	map->onEvent(&escape);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMainMenuScene>(); }));
	// The closed map is gone: only the profile tells.
	EXPECT_TRUE(stepUntil(20, [&] { return !player->getBool(ProfileKey::ShowTutorialMap1); }));
	CProfileManager saved;
	saved.loadProfiles();
	ASSERT_GT(saved.getProfileCount(), 0);
	EXPECT_FALSE(saved.getProfile(saved.getProfileCount() - 1)->getBool(ProfileKey::ShowTutorialMap1));
}

TEST_F(FrontDoorRoad, AMapTutorialLeftHalfWayComesBackAndTheSkipButtonSwitchesTutorialsOff)
{
	GMapScene* map = openMap(0);
	ASSERT_NE(map, nullptr) << log.dump();
	CProfile* player = CProfileManager::instance()->getActiveProfile();
	ASSERT_TRUE(stepUntil(20, [&] { return tutorialShown(map->getTutorial()); }));
	CEventInputKeyUp escape(0, 27, false, false);
	map->onEvent(&escape);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMainMenuScene>(); }));
	EXPECT_FALSE(stepUntil(20, [&] { return !player->getBool(ProfileKey::ShowTutorialMap1); }))
	    << "a tutorial left half-way counted as seen";

	// The next visit shows it again; its skip button ends it and every later tutorial.
	CEventNodeClicked play(top()->findChild(internStringId("Scene"), 0)->findChild(internStringId("NewGameButton"), 0));
	top()->onEvent(&play);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMapScene>(); }));
	map = nodeCast<GMapScene>(top());
	ASSERT_TRUE(stepUntil(20, [&] { return tutorialShown(map->getTutorial()); }));
	click(map, map->getTutorial().get()->getWindow()->findChild(internStringId("SkipTutorialButton"), 1));
	EXPECT_FALSE(player->getBool(ProfileKey::ShowTutorialOn));
	ASSERT_TRUE(stepUntil(50, [&] { return !map->getTutorial().isHeld(); }));
	map->onEvent(&escape);
	ASSERT_TRUE(stepUntil(200, [&] { return onTop<GMainMenuScene>(); }));
	EXPECT_TRUE(stepUntil(20, [&] { return !player->getBool(ProfileKey::ShowTutorialMap1); }));
}

TEST_F(FrontDoorRoad, TheShopTutorialRunsOnItsVisitAndTheMapsSecondIsNotOfferedFromTheShop)
{
	GMapScene* map = openMap(2);
	ASSERT_NE(map, nullptr) << log.dump();
	CProfile* player = CProfileManager::instance()->getActiveProfile();
	ASSERT_TRUE(stepUntil(20, [&] { return tutorialShown(map->getTutorial()); }));
	EXPECT_EQ(map->getTutorial().getProfileKey(), irr::core::stringc(ProfileKey::ShowTutorialMap2));

	// Its second hint asks for the shop, where the shop's first tutorial starts with an arrow.
	click(map, map->findChild(internStringId("Scene"), 0));
	ASSERT_EQ(arrowsShown(map->getTutorial()), 1);
	click(map, map->findChild(internStringId("Scene"), 0)->findChild(internStringId("ShopButton"), 0));
	ASSERT_TRUE(stepUntil(500, [&] { return onTop<GShopScene>(); }));
	EXPECT_TRUE(stepUntil(20, [&] { return !player->getBool(ProfileKey::ShowTutorialMap2); }))
	    << "the map tutorial seen to its end was kept";
	auto* shop = nodeCast<GShopScene>(top());
	ASSERT_TRUE(stepUntil(20, [&] { return tutorialShown(shop->getTutorial()); }));
	EXPECT_EQ(shop->getTutorial().getProfileKey(), irr::core::stringc(ProfileKey::ShowTutorialShop1));
	EXPECT_EQ(arrowsShown(shop->getTutorial()), 1);

	// Left half-way, the shop's tutorial still counts as seen; the map offers nothing on the way back.
	CEventInputKeyUp escape(0, 27, false, false);
	shop->onEvent(&escape);
	ASSERT_TRUE(stepUntil(500, [&] { return top() == map && settled(); }));
	EXPECT_TRUE(stepUntil(20, [&] { return !player->getBool(ProfileKey::ShowTutorialShop1); }));
	EXPECT_FALSE(map->getTutorial().isHeld());
}

TEST_F(FrontDoorRoad, TheShopsAchievementPopupShowsTheAchievementReached)
{
	GMapScene* map = openMap(9);
	ASSERT_NE(map, nullptr) << log.dump();
	click(map, map->findChild(internStringId("Scene"), 0)->findChild(internStringId("ShopButton"), 0));
	ASSERT_TRUE(stepUntil(500, [&] { return onTop<GShopScene>(); }));
	auto* shop = nodeCast<GShopScene>(top());
	// The card the player just bought is still hovered: its hint must not stay over the popup.
	shop->showUpgradeHint(shop->getShopButtons()[0].get());
	ASSERT_TRUE(shop->getHintNode()->isVisible());
	shop->showAchievementPopup(2);
	EXPECT_FALSE(shop->getHintNode()->isVisible());
	auto* popup = nodeCast<GAchievementUnlockedScene>(top());
	ASSERT_NE(popup, nullptr);
	EXPECT_EQ(popup->getSceneBelow(), shop);
	ASSERT_NE(popup->getNameText(), nullptr);
	EXPECT_EQ(popup->getNameText()->getText(), irr::core::stringw(L"%Achievements_3Name%"));
	EXPECT_EQ(popup->getDescriptionText()->getText(), irr::core::stringw(L"%Achievements_3DescAfter%"));
	EXPECT_EQ(pictureOf(popup->getImage()), irr::core::stringc("scenes/images/Achievements/Icon3.png"));
}
