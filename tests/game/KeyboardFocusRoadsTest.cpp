#include "content/CProfile.h"
#include "content/CProfileManager.h"

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

// The built game played from the keyboard, with real X key events (xdotool): where the keyboard focus starts
// on the name entry, the main menu and the pause menu. A name is typed without clicking into its field
// first and Enter takes it, never Cancel; Enter on the menus never quits.
using namespace gameinput;

namespace
{
// The names of the players the game saved.
std::vector<std::wstring> savedPlayers()
{
	CProfileManager manager;
	manager.loadProfiles();
	std::vector<std::wstring> names;
	for (int i = 0; i < manager.getProfileCount(); ++i)
		names.push_back(manager.getProfile(i)->getName().c_str());
	return names;
}

class KeyboardFocusScreens : public GameWindowTest
{
protected:
	KeyboardFocusScreens() : GameWindowTest("keys-") {}

	bool type(const std::string& text) { return xdotool({"type", "--delay", "60", text}); }
	bool key(const std::string& name) { return xdotool({"key", name}); }

	// Pixels of the focus ring's gold in a band 6 units wide around the node's rectangle.
	int ringAround(const SceneNodeRect& rect)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		const auto [left, top] = toWindow(rect.x - 6, rect.y - 6);
		const auto [right, bottom] = toWindow(rect.x + rect.width + 6, rect.y + rect.height + 6);
		const auto [innerLeft, innerTop] = toWindow(rect.x + 6, rect.y + 6);
		const auto [innerRight, innerBottom] = toWindow(rect.x + rect.width - 6, rect.y + rect.height - 6);
		int count = 0;
		for (int y = std::max(top, 0); !image.empty() && y < std::min(bottom, height); ++y)
			for (int x = std::max(left, 0); x < std::min(right, width); ++x)
			{
				if (x > innerLeft && x < innerRight && y > innerTop && y < innerBottom)
					continue;
				const unsigned long rgb = image.at(x, y);
				const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
				count += r >= 0xd8 && g >= 0xa8 && b <= 0x90 ? 1 : 0;
			}
		return count;
	}
};
} // namespace

// On the first start the name entry takes the typed name at once, and Enter makes the player: the focus
// starts in the field, not on Cancel.
TEST_F(KeyboardFocusScreens, ANewPlayerTypesTheNameAtOnceAndEnterMakesThePlayer)
{
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect nameEdit = node("SelectPlayerInputNameScene.qscn", {"Scene", "NameEdit"});
	const SceneNodeRect nameCancel = node("SelectPlayerInputNameScene.qscn", {"Scene", "CancelButton"});
	ASSERT_TRUE(waitForLook(nameEdit, white, 60000) && waitForLook(nameCancel, buttonBlue))
	    << "the name entry did not appear";
	// The entry has settled before the first key.
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	ASSERT_TRUE(type("Zoe"));
	std::this_thread::sleep_for(std::chrono::milliseconds(500));
	screenshot("name-typed");
	ASSERT_TRUE(key("Return"));
	ASSERT_TRUE(waitFor(10000, [] { return !savedPlayers().empty(); }))
	    << "Enter after the typed name saved no player (the keys went elsewhere, or Enter cancelled)";
	EXPECT_EQ(savedPlayers(), std::vector<std::wstring>{L"Zoe"});
	EXPECT_TRUE(gameRunning());
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	screenshot("player-made");
}

// The main menu's keyboard focus starts on Play, not on Quit, and Enter there quits nothing; Enter on the
// pause menu goes back to the level: neither quits nor asks to.
TEST_F(KeyboardFocusScreens, TheFocusStartsOffQuitAndEnterNeverQuits)
{
	writePlayer(L"Ada", -1);
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	const SceneNodeRect quit = node("MainMenuScene.qscn", {"Scene", "QuitButton"});
	const SceneNodeRect quitNo = node("QuitConfirmationScene.qscn", {"Scene", "NoButton"});
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	screenshot("main-menu");
	EXPECT_GT(ringAround(newGame), 200) << "Play shows no focus ring";
	EXPECT_LT(ringAround(quit), 20) << "Quit shows the focus ring";
	ASSERT_TRUE(key("Return"));
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	EXPECT_TRUE(gameRunning()) << "Enter on the main menu ended the game";
	EXPECT_FALSE(looks(quitNo, buttonBlue)) << "Enter on the main menu asked to quit";
	screenshot("main-menu-after-enter");

	// Into the first level, then its pause menu.
	playIntoTheFirstLevel();
	ASSERT_FALSE(HasFatalFailure());
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	const SceneNodeRect resume = node("InGameMenuScene.qscn", {"Scene", "ResumeButton"});
	const SceneNodeRect exitGame = node("InGameMenuScene.qscn", {"Scene", "ExitGameButton"});
	ASSERT_TRUE(key("Escape"));
	ASSERT_TRUE(waitForLook(resume, buttonBlue, 10000)) << "Esc did not open the pause menu";
	std::this_thread::sleep_for(std::chrono::milliseconds(800));
	screenshot("pause-menu");
	EXPECT_GT(ringAround(resume), 200) << "Resume shows no focus ring";
	EXPECT_LT(ringAround(exitGame), 20) << "the quit button shows the focus ring";
	ASSERT_TRUE(key("Return"));
	ASSERT_TRUE(waitFor(5000, [&] { return gameRunning() && !looks(resume, buttonBlue); }))
	    << "Enter on the pause menu did not go back to the level (game running: " << gameRunning() << ")";
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	EXPECT_TRUE(gameRunning()) << "Enter on the pause menu ended the game";
	EXPECT_FALSE(looks(quitNo, buttonBlue)) << "Enter on the pause menu asked to quit";
	screenshot("pause-menu-left");
}
