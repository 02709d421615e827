#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "data/ProfileKeys.h"

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

// What a player sets in the game — their name, an upgrade bought in the shop, the effects volume —
// is still there when the game is started again, all done with real X input on the game's window.
namespace
{
using gameinput::buttonBlue;
using gameinput::waitFor;
using gameinput::white;
using gameinput::xdotool;

// The one player profile as the game saved it.
struct SavedPlayer
{
	bool exists = false;
	bool active = false;
	std::wstring name;
	std::string boughtUpgrades;
	float soundVolume = -1.0f;
};

SavedPlayer readSavedPlayer()
{
	SavedPlayer saved;
	CProfileManager manager;
	manager.loadProfiles();
	if (CProfile* player = manager.getProfile(0))
	{
		saved.exists = true;
		saved.active = manager.getActiveProfile() == player;
		saved.name = player->getName().c_str();
		saved.boughtUpgrades = player->getString(ProfileKey::BoughtUpgrades).c_str();
		saved.soundVolume = player->getFloat(ProfileKey::SoundVolume);
	}
	return saved;
}

// The player's first level done with a score that pays for the cafe (800 points), which the shop
// offers from then on; tutorials are off so that no hint covers the buttons.
void giveFirstLevelScore()
{
	CProfileManager manager;
	manager.loadProfiles();
	CProfile* player = manager.getProfile(0);
	ASSERT_NE(player, nullptr);
	player->setInt(ProfileKey::MaxUnlockedLevelIndex, 0);
	player->setString(ProfileKey::Scores, "1000");
	player->setBool(ProfileKey::ShowTutorialOn, false);
	ASSERT_TRUE(manager.saveProfiles());
}

class GameSettingsKeptScreens : public GameWindowTest
{
protected:
	GameSettingsKeptScreens() : GameWindowTest("settings-") {}

	// Presses the button at one point of the virtual screen, moves to another and lets go there.
	bool drag(float fromX, float fromY, float toX, float toY)
	{
		const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); };
		if (!pointAt(fromX, fromY))
			return false;
		pause();
		if (!xdotool({"mousedown", "1"}))
			return false;
		pause();
		const bool moved = pointAt((fromX + toX) / 2.0f, (fromY + toY) / 2.0f) && (pause(), pointAt(toX, toY));
		pause();
		return xdotool({"mouseup", "1"}) && moved;
	}

	// Whether the strip along the bottom of a shop card shows the light green of a bought upgrade.
	bool showsBought(const SceneNodeRect& card)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		int green = 0;
		for (const float along : {0.15f, 0.5f, 0.85f})
		{
			const auto [x, y] = toWindow(card.x + card.width * along, card.y + card.height * 0.9f);
			if (image.empty() || x < 0 || y < 0 || x >= width || y >= height)
				return false;
			const unsigned long rgb = image.at(x, y);
			const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
			green += g >= 0xe0 && g > r + 0x0c && g > b + 0x20 ? 1 : 0;
		}
		return green == 3;
	}

	// Where along the slider its light blue knob is, from 0 (left end) to 1; -1 when none is seen.
	float knobPlace(const SceneNodeRect& slider)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		if (image.empty())
			return -1.0f;
		float sum = 0.0f;
		int count = 0;
		for (float x = slider.x; x < slider.x + slider.width; x += 1.0f)
		{
			const auto [wx, wy] = toWindow(x, slider.centerY());
			if (wx < 0 || wy < 0 || wx >= width || wy >= height)
				continue;
			const unsigned long rgb = image.at(wx, wy);
			const int r = (rgb >> 16) & 0xff, b = rgb & 0xff;
			if (b >= 0xb0 && b > r + 0x40)
				sum += x, ++count;
		}
		return count ? (sum / count - slider.x) / slider.width : -1.0f;
	}
};
} // namespace

TEST_F(GameSettingsKeptScreens, NameUpgradeAndVolumeOutlastARestart)
{
	const SceneNodeRect nameEdit = node("SelectPlayerInputNameScene.qscn", {"Scene", "NameEdit"});
	const SceneNodeRect nameOk = node("SelectPlayerInputNameScene.qscn", {"Scene", "OkButton"});
	const SceneNodeRect listOk = node("SelectPlayerScene.qscn", {"Scene", "OkButton"});
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	const SceneNodeRect optionsButton = node("MainMenuScene.qscn", {"Scene", "OptionsButton"});
	const SceneNodeRect quitButton = node("MainMenuScene.qscn", {"Scene", "QuitButton"});
	const SceneNodeRect mapShop = node("MapScene.qscn", {"Scene", "ShopButton"});
	const SceneNodeRect mapBack = node("MapScene.qscn", {"Scene", "BackButton"});
	const SceneNodeRect cafe = node("ShopScene.qscn", {"Scene", "ShopButtons", "Cafe"});
	const SceneNodeRect shopBack = node("ShopScene.qscn", {"Scene", "BackButton"});
	const SceneNodeRect soundSlider = node("OptionsScene.qscn", {"Scene", "SoundSlider"});
	const SceneNodeRect optionsBack = node("OptionsScene.qscn", {"Scene", "BackButton"});
	const SceneNodeRect quitYes = node("QuitConfirmationScene.qscn", {"Scene", "YesButton"});

	// First start: no player yet, so the name entry asks for one.
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(waitForLook(nameEdit, white, 60000)) << "the name entry did not appear";
	ASSERT_TRUE(clickUntil(
	    nameEdit,
	    [&] {
		    return xdotool({"type", "--delay", "60", "Ada"}) && waitForLook(nameOk, buttonBlue, 3000);
	    },
	    3, 0))
	    << "typing a name did not switch OK on";
	screenshot("name-typed");
	ASSERT_TRUE(click(nameOk));
	ASSERT_TRUE(waitFor(10000, [] { return readSavedPlayer().exists; })) << "OK saved no player";
	ASSERT_TRUE(waitForLook(listOk, buttonBlue, 10000)) << "the player list's OK did not come on";
	ASSERT_TRUE(clickUntil(listOk, [] { return readSavedPlayer().active; })) << "the new player was not made current";
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 10000)) << "the main menu did not come back";
	gameprocess::requestClose(display, window);
	ASSERT_EQ(waitForEnd(), 0) << "the close box did not end the game cleanly";

	// The player comes back after the first level with points to spend.
	giveFirstLevelScore();
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the second start did not reach the main menu";
	ASSERT_TRUE(clickUntil(newGame, [&] { return looks(mapShop, buttonBlue); })) << "Play did not open the map";
	ASSERT_TRUE(clickUntil(mapShop, [&] { return looks(shopBack, buttonBlue); }))
	    << "the map's shop button did not open the shop";
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	screenshot("shop");
	EXPECT_FALSE(showsBought(cafe)) << "the cafe shows as bought before it is";
	ASSERT_TRUE(clickUntil(
	    cafe, [] { return readSavedPlayer().boughtUpgrades == "Cafe"; }, 3))
	    << "the cafe could not be bought; saved upgrades: " << readSavedPlayer().boughtUpgrades;
	std::this_thread::sleep_for(std::chrono::milliseconds(500));
	screenshot("shop-bought");
	EXPECT_TRUE(waitFor(3000, [&] { return showsBought(cafe); })) << "the bought cafe does not show as bought";
	ASSERT_TRUE(clickUntil(shopBack, [&] { return looks(mapBack, buttonBlue) && !looks(shopBack, buttonBlue); }))
	    << "the shop did not close";
	ASSERT_TRUE(clickUntil(mapBack, [&] { return looks(optionsButton, buttonBlue); })) << "the map did not close";

	// The effects volume starts at the middle of its slider; the knob is dragged most of the way right.
	ASSERT_FLOAT_EQ(readSavedPlayer().soundVolume, 50.0f);
	ASSERT_TRUE(clickUntil(optionsButton, [&] { return looks(optionsBack, buttonBlue); }))
	    << "the options did not open";
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	const float sliderY = soundSlider.centerY();
	ASSERT_TRUE(drag(soundSlider.centerX(), sliderY, soundSlider.x + soundSlider.width * 0.85f, sliderY));
	ASSERT_TRUE(waitFor(5000, [] { return readSavedPlayer().soundVolume > 60.0f; }))
	    << "dragging the effects slider saved volume " << readSavedPlayer().soundVolume;
	const float volume = readSavedPlayer().soundVolume;
	screenshot("options-volume");
	ASSERT_TRUE(
	    clickUntil(optionsBack, [&] { return looks(quitButton, buttonBlue) && !looks(optionsBack, buttonBlue); }))
	    << "the options did not close";

	// Quitting through the confirmation.
	ASSERT_TRUE(clickUntil(quitButton, [&] { return looks(quitYes, buttonBlue); })) << "no quit confirmation";
	screenshot("quit-confirmation");
	ASSERT_TRUE(click(quitYes));
	ASSERT_EQ(waitForEnd(), 0) << "Yes did not end the game cleanly";

	// Third start: all three are kept, in the file and on the screens.
	const SavedPlayer saved = readSavedPlayer();
	EXPECT_EQ(saved.name, L"Ada");
	EXPECT_TRUE(saved.active);
	EXPECT_EQ(saved.boughtUpgrades, "Cafe");
	EXPECT_FLOAT_EQ(saved.soundVolume, volume);
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the third start did not reach the main menu";
	EXPECT_FALSE(looks(nameEdit, white)) << "the game asked for a name again";
	screenshot("menu-again");
	ASSERT_TRUE(clickUntil(optionsButton, [&] { return looks(optionsBack, buttonBlue); }))
	    << "the options did not open";
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	screenshot("options-again");
	// The knob runs over the slider less its own width, so its place is only near the value's.
	EXPECT_NEAR(knobPlace(soundSlider), volume / 100.0f, 0.1f) << "the effects slider does not show the kept volume";
	EXPECT_NEAR(knobPlace(node("OptionsScene.qscn", {"Scene", "MusicSlider"})), 0.5f, 0.1f);
	ASSERT_TRUE(clickUntil(optionsBack, [&] { return looks(newGame, buttonBlue) && !looks(optionsBack, buttonBlue); }))
	    << "the options did not close";
	ASSERT_TRUE(clickUntil(newGame, [&] { return looks(mapShop, buttonBlue); })) << "Play did not open the map";
	ASSERT_TRUE(clickUntil(mapShop, [&] { return looks(shopBack, buttonBlue); })) << "the shop did not open";
	EXPECT_TRUE(waitFor(5000, [&] { return showsBought(cafe); })) << "the cafe bought before does not show as bought";
	screenshot("shop-again");
	gameprocess::requestClose(display, window);
	EXPECT_EQ(waitForEnd(), 0);
	EXPECT_EQ(readSavedPlayer().boughtUpgrades, "Cafe");
	EXPECT_FLOAT_EQ(readSavedPlayer().soundVolume, volume);
}
