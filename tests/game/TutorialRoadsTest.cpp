#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "data/ProfileKeys.h"

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

// The tutorials as a player meets them in the built game, driven only by X input: the map's on the first
// visit, the shop's with its arrows, the shop's achievement popup and the first level's arrow.
using namespace gameinput;

namespace
{
// What the game saved of the one player.
struct SavedKeys
{
	bool tutorialOn = true;
	bool map1 = true;
	bool map2 = true;
	bool shop1 = true;
	std::string bought;
};

SavedKeys readSavedKeys()
{
	SavedKeys saved;
	CProfileManager manager;
	manager.loadProfiles();
	if (CProfile* player = manager.getProfile(0))
	{
		saved.tutorialOn = player->getBool(ProfileKey::ShowTutorialOn);
		saved.map1 = player->getBool(ProfileKey::ShowTutorialMap1);
		saved.map2 = player->getBool(ProfileKey::ShowTutorialMap2);
		saved.shop1 = player->getBool(ProfileKey::ShowTutorialShop1);
		saved.bought = player->getString(ProfileKey::BoughtUpgrades).c_str();
	}
	return saved;
}

struct PlayerSetup
{
	int maxUnlocked = -1;
	int levelIndex = 0;
	const char* scores = "";
	const char* bought = "";
	bool map2 = true;
	bool tutorialOn = true;
};

// The tutorial keys and progress of the player the test writes.
void setUpTutorialPlayer(CProfile& player, const PlayerSetup& setup)
{
	player.setInt(ProfileKey::LevelIndex, setup.levelIndex);
	player.setString(ProfileKey::Scores, setup.scores);
	player.setString(ProfileKey::BoughtUpgrades, setup.bought);
	player.setBool(ProfileKey::ShowTutorialMap1, true);
	player.setBool(ProfileKey::ShowTutorialMap2, setup.map2);
	player.setBool(ProfileKey::ShowTutorialShop1, true);
	player.setBool(ProfileKey::ShowTutorialShop2, true);
	player.setBool(ProfileKey::ShowTutorialOn, setup.tutorialOn);
}

// The cream paper of the tutorial's window.
bool paper(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0xf0 && g >= 0xe8 && b >= 0xc0 && b <= 0xe8;
}

// The gold of the tutorial's arrow.
bool arrowGold(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0xa0 && r > g && g > b + 0x20 && b < 0xc0;
}

// The dark ink of the popup's texts.
bool ink(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r < 0x70 && g < 0x80 && b < 0x90;
}

class TutorialRoadScreens : public GameWindowTest
{
protected:
	TutorialRoadScreens() : GameWindowTest("tutorial-") {}

	static void writeTutorialPlayer(const PlayerSetup& setup)
	{
		writePlayer(L"Ada", setup.maxUnlocked, [&](CProfile& player) { setUpTutorialPlayer(player, setup); });
	}

	// The start of a game for the player: the menu's Play opens the map.
	void SetUp() override
	{
		GameWindowTest::SetUp();
		if (!IsSkipped() && !HasFatalFailure())
		{
			mapShop = node("MapScene.qscn", {"Scene", "ShopButton"});
			mapBack = node("MapScene.qscn", {"Scene", "BackButton"});
		}
	}

	void openMap()
	{
		startGame();
		ASSERT_FALSE(HasFatalFailure());
		const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
		ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
		ASSERT_TRUE(clickUntil(newGame, [&] { return looks(mapShop, buttonBlue); }))
		    << "Play on the main menu did not open the map";
	}

	// The window of a hint at its Position (the window is 420 x 136), its middle where no text is.
	static SceneNodeRect hintWindow(float x, float y) { return {x + 20, y + 96, 200, 30, true}; }
	// The shaft of an arrow whose tip is at x, y: pointing down, or up.
	static SceneNodeRect arrowDown(float x, float y) { return {x - 5, y - 46, 10, 14, true}; }
	static SceneNodeRect arrowUp(float x, float y) { return {x - 5, y + 32, 10, 14, true}; }

	// The window's skip button (its Position 290 in the window, 85 below the text at 8).
	static SceneNodeRect skipButton(float x, float y) { return {x + 290, y + 93, 120, 40, true}; }

	// Pixels of the node's whole area whose colour passes the test.
	int count(const SceneNodeRect& rect, bool (*test)(unsigned long))
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		const auto [left, top] = toWindow(rect.x, rect.y);
		const auto [right, bottom] = toWindow(rect.x + rect.width, rect.y + rect.height);
		int passed = 0;
		for (int y = std::max(top, 0); !image.empty() && y < std::min(bottom, height); ++y)
			for (int x = std::max(left, 0); x < std::min(right, width); ++x)
				passed += test(image.at(x, y)) ? 1 : 0;
		return passed;
	}

	SceneNodeRect mapShop;
	SceneNodeRect mapBack;
};
} // namespace

TEST_F(TutorialRoadScreens, TheFirstMapVisitShowsTheMapTutorialWhichClicksLeadToItsEnd)
{
	// Level 1 is behind the player: the first visit to the map.
	writeTutorialPlayer({0, 1});
	ASSERT_FALSE(HasFatalFailure());
	openMap();
	ASSERT_FALSE(HasFatalFailure());

	const SceneNodeRect welcome = hintWindow(560, 300);
	ASSERT_TRUE(waitForLook(welcome, paper, 10000)) << "the map tutorial did not greet the player";
	screenshot("map1-welcome");

	// Any click moves on: the next hint points at the second location.
	const SceneNodeRect location = hintWindow(300, 220);
	const bool movedOn = clickUntil(
	    welcome, [&] { return looks(location, paper) && !looks(welcome, paper); }, 3, 3000);
	screenshot("map1-clicked");
	ASSERT_TRUE(movedOn) << "the welcome hint stayed on screen";
	ASSERT_TRUE(waitForLook(arrowDown(202, 134), arrowGold, 5000)) << "no arrow points at the second location";
	screenshot("map1-location");
	EXPECT_TRUE(readSavedKeys().map1) << "the key was cleared before the tutorial ended";

	// Its click ends the tutorial; level 2 still needs the cafe, so the shop opens over the map and the
	// seen tutorial is stored.
	ASSERT_TRUE(clickUntil(
	    node("MapScene.qscn", {"Scene", "LocationButtons", "Location2"}), [] { return !readSavedKeys().map1; }, 3,
	    8000))
	    << "leaving the map after its tutorial did not store it as seen";
	EXPECT_TRUE(readSavedKeys().tutorialOn);
	screenshot("map1-shop");
}

TEST_F(TutorialRoadScreens, TheSkipButtonEndsTheSecondMapTutorialAndSwitchesTutorialsOff)
{
	writeTutorialPlayer({2, 3, "1000;1150;1300", "Cafe"});
	ASSERT_FALSE(HasFatalFailure());
	openMap();
	ASSERT_FALSE(HasFatalFailure());

	const SceneNodeRect points = hintWindow(560, 300);
	ASSERT_TRUE(waitForLook(points, paper, 10000)) << "the second map tutorial did not show";
	screenshot("map2-points");
	ASSERT_TRUE(clickUntil(
	    skipButton(560, 300), [&] { return !looks(points, paper); }, 3, 3000))
	    << "the skip button did not close the tutorial";
	screenshot("map2-skipped");

	// Stored when the player leaves the map.
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	ASSERT_TRUE(clickUntil(
	    node("MapScene.qscn", {"Scene", "BackButton"}),
	    [&] { return looks(newGame, buttonBlue) && !readSavedKeys().map2; }, 3, 8000))
	    << "leaving the map did not store the skipped tutorial";
	EXPECT_FALSE(readSavedKeys().tutorialOn);
}

TEST_F(TutorialRoadScreens, TheFirstShopTutorialPointsAtThePointsTheNeededCardAndTheWayBack)
{
	// Three levels done, the map's own tutorial already seen: its Shop button opens the shop's tutorial.
	writeTutorialPlayer({2, 3, "1000;1150;1300", "Cafe", false});
	ASSERT_FALSE(HasFatalFailure());
	openMap();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect hint = hintWindow(560, 560);
	ASSERT_FALSE(looks(hintWindow(560, 300), paper)) << "a seen map tutorial showed again";
	ASSERT_TRUE(clickUntil(
	    mapShop, [&] { return looks(hint, paper); }, 3, 8000))
	    << "the shop tutorial did not show";
	ASSERT_TRUE(waitForLook(arrowUp(150, 114), arrowGold, 5000)) << "no arrow points at the points";
	screenshot("shop1-points");

	// A click moves the arrow to the hostel card, which the next location needs; buying it moves on.
	ASSERT_TRUE(clickUntil(
	    hint, [&] { return looks(arrowUp(512, 334), arrowGold); }, 3, 3000))
	    << "the arrow did not move to the needed card";
	EXPECT_FALSE(looks(arrowUp(150, 114), arrowGold));
	screenshot("shop1-card");
	ASSERT_TRUE(clickUntil(
	    node("ShopScene.qscn", {"Scene", "ShopButtons", "Hostel"}),
	    [] { return readSavedKeys().bought.find("Hostel") != std::string::npos; }, 3, 5000))
	    << "the card the tutorial asked for could not be bought";
	ASSERT_TRUE(waitForLook(arrowUp(904, 118), arrowGold, 5000)) << "no arrow points at the way back";
	screenshot("shop1-back");

	// Back on the map, the shop's tutorial counts as seen.
	const bool left = clickUntil(
	    node("ShopScene.qscn", {"Scene", "BackButton"}),
	    [&] { return looks(mapBack, buttonBlue) && !readSavedKeys().shop1; }, 3, 8000);
	screenshot("shop1-map");
	ASSERT_TRUE(left) << "leaving the shop did not store its tutorial";
	EXPECT_FALSE(looks(hintWindow(560, 300), paper)) << "the map offered its second tutorial again after the shop";
}

TEST_F(TutorialRoadScreens, BuyingTheThirdJoyShowsItsAchievementWithNameAndIcon)
{
	// The cafe and the mall owned: the aqua park completes the joys.
	writeTutorialPlayer({18, 19, "9000", "Cafe;CityMall", true, false});
	ASSERT_FALSE(HasFatalFailure());
	openMap();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect back = node("ShopScene.qscn", {"Scene", "BackButton"});
	ASSERT_TRUE(clickUntil(
	    mapShop, [&] { return looks(back, buttonBlue); }, 3, 8000))
	    << "the shop did not open";
	const SceneNodeRect ok = node("AchievementUnlockedScene.qscn", {"Scene", "OkButton"});
	const SceneNodeRect name = node("AchievementUnlockedScene.qscn", {"Scene", "AchName"});
	const SceneNodeRect description = node("AchievementUnlockedScene.qscn", {"Scene", "AchDesc"});
	const bool shown = clickUntil(
	    node("ShopScene.qscn", {"Scene", "ShopButtons", "AquaPark"}), [&] { return looks(ok, buttonBlue); }, 3, 8000);
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	screenshot("shop-achievement");
	ASSERT_TRUE(shown) << "buying the aqua park showed no achievement";
	// The popup names the achievement and tells what it was for (its icon is in the screenshot).
	EXPECT_GT(count(name, ink), 40) << "the popup shows no achievement name";
	EXPECT_GT(count(description, ink), 40) << "the popup shows no description";
	ASSERT_TRUE(clickUntil(
	    ok, [&] { return !looks(ok, buttonBlue) && looks(back, buttonBlue); }, 3, 5000))
	    << "the popup did not close back to the shop";
}

TEST_F(TutorialRoadScreens, TheFirstLevelsTutorialPointsAtTheLot)
{
	writeTutorialPlayer({-1, 0});
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
	const SceneNodeRect goalsOk = node("LevelObjectivesScene.qscn", {"Scene", "OkButton"});
	ASSERT_TRUE(clickUntil(
	    newGame, [&] { return looks(goalsOk, buttonBlue); }, 3, 30000))
	    << "Play did not lead to the first level's goals";
	ASSERT_TRUE(clickUntil(goalsOk, [&] { return !looks(goalsOk, buttonBlue); })) << "the goals did not close";

	// The welcome takes a click anywhere; the next hint's arrow points into the first lot.
	const SceneNodeRect lotArrow = arrowDown(180, 336);
	SceneNodeRect lot = scenefile::findNode(sourceDir() + "/assets/levels/level1/Level.qscn", {"Buildings", "Place1"});
	ASSERT_TRUE(lot.found);
	lot = {lot.x + lot.width / 4, lot.y + lot.height / 2, lot.width / 2, lot.height / 4, true};
	std::this_thread::sleep_for(std::chrono::milliseconds(2000));
	EXPECT_FALSE(looks(lotArrow, arrowGold)) << "the arrow showed before its hint";
	ASSERT_TRUE(clickUntil(
	    lot, [&] { return looks(lotArrow, arrowGold); }, 1, 4000))
	    << "no arrow points at the first lot";
	screenshot("level1-arrow");

	// The lot taken, the arrow moves on to the hotels button.
	ASSERT_TRUE(clickUntil(
	    lot, [&] { return !looks(lotArrow, arrowGold) && looks(arrowDown(230, 652), arrowGold); }, 1, 4000))
	    << "the arrow did not move on to the hotels button";
	screenshot("level1-hotels-arrow");
}
