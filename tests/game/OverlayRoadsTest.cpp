#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "data/ProfileKeys.h"

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

// The built game driven by X input alone through the screens opened over other screens: the options'
// full-screen switch both ways over restarts, the pause menu's options, help and quit confirmation, and
// level 1's first hint, which any click moves on.
using namespace gameinput;

namespace
{
// The stored options as the next start reads them.
bool savedFullScreen()
{
	CProfileManager manager;
	manager.loadProfiles();
	return manager.getCommonProfile()->getBool(ProfileKey::FullScreen);
}

bool savedSoundOn()
{
	CProfileManager manager;
	manager.loadProfiles();
	return manager.getActiveProfile() && manager.getActiveProfile()->getBool(ProfileKey::SoundOn);
}

// The options' on and off switches.
bool switchGreen(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return g >= r + 0x30 && g >= b + 0x30;
}

// The brown of the note under the full-screen switch.
bool noteInk(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0x60 && r <= 0xb0 && g >= 0x18 && g <= 0x60 && b <= 0x40;
}

bool switchRed(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= g + 0x50 && r >= b + 0x50;
}

class OverlayRoadScreens : public GameWindowTest
{
protected:
	OverlayRoadScreens() : GameWindowTest("overlay-") {}

	// The colours of a grid of points of a node's rectangle, to tell whether it changed.
	std::vector<unsigned long> pixels(const SceneNodeRect& rect)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		std::vector<unsigned long> seen;
		for (int row = 0; row < 12; ++row)
			for (int column = 0; column < 32; ++column)
			{
				const auto [x, y] = toWindow(rect.x + rect.width * column / 32.0f, rect.y + rect.height * row / 12.0f);
				seen.push_back(image.empty() || x >= width || y >= height ? 0 : image.at(x, y));
			}
		return seen;
	}

	// How many pixels of the rectangle pass the test.
	int inkIn(const SceneNodeRect& rect, bool (*test)(unsigned long))
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		const auto [left, top] = toWindow(rect.x, rect.y);
		const auto [right, bottom] = toWindow(rect.x + rect.width, rect.y + rect.height);
		int count = 0;
		for (int y = std::max(top, 0); !image.empty() && y < std::min(bottom, height); ++y)
			for (int x = std::max(left, 0); x < std::min(right, width); ++x)
				count += test(image.at(x, y)) ? 1 : 0;
		return count;
	}

	// Waits until the rectangle shows something else than before; the game must keep running.
	bool waitForChange(const SceneNodeRect& rect, const std::vector<unsigned long>& before, int timeoutMs = 5000)
	{
		return waitFor(timeoutMs, [&] { return gameRunning() && pixels(rect) != before; });
	}

	bool key(const std::string& name) { return xdotool({"key", "--window", std::to_string(window), name}); }

	bool coversTheScreen() const
	{
		const int screen = DefaultScreen(display);
		return width >= DisplayWidth(display, screen) && height >= DisplayHeight(display, screen);
	}

	SceneNodeRect options(const char* name) const { return node("OptionsScene.qscn", {"Scene", name}); }
	SceneNodeRect pauseMenu(const char* name) const { return node("InGameMenuScene.qscn", {"Scene", name}); }
};
} // namespace

// Full screen is chosen in the options and takes effect at the next start, both ways: the game keeps
// running and drawing after each press, the switch shows the mode in effect, and a note says what the
// next start brings (or that the display has no full screen to give).
TEST_F(OverlayRoadScreens, FullScreenIsSwitchedInTheOptionsBothWaysWithoutACrash)
{
	writePlayer(L"Ada", 0);
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	const SceneNodeRect menuOptions = node("MainMenuScene.qscn", {"Scene", "OptionsButton"});
	const SceneNodeRect fullscreen = options("FullscreenButton");
	const SceneNodeRect note = options("FullscreenNote");
	const SceneNodeRect back = options("BackButton");
	const auto switchShows = [&](bool on) { return looks(fullscreen, on ? switchGreen : switchRed); };

	for (const bool choose : {true, false})
	{
		const std::string step = choose ? "on" : "off";
		startGame();
		ASSERT_FALSE(HasFatalFailure());
		const bool inEffect = coversTheScreen();
		ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
		ASSERT_TRUE(clickUntil(menuOptions, [&] { return looks(back, buttonBlue); })) << "the options did not open";
		ASSERT_TRUE(waitFor(5000, [&] { return switchShows(inEffect); }))
		    << "the full-screen switch does not show the mode in effect (" << (inEffect ? "on" : "off") << ")";
		screenshot("fullscreen-" + step + "-before");

		const std::vector<unsigned long> noteBefore = pixels(note);
		ASSERT_TRUE(click(fullscreen));
		ASSERT_TRUE(waitForChange(note, noteBefore)) << "the press showed nothing (game running: " << gameRunning()
		                                             << ")";
		ASSERT_TRUE(waitFor(5000, [&] { return savedFullScreen() == choose; })) << "the choice was not saved";
		// Still the same window, still drawing, and the switch still shows what is in effect.
		std::this_thread::sleep_for(std::chrono::milliseconds(1000));
		ASSERT_TRUE(gameRunning()) << "the game ended after the press";
		EXPECT_TRUE(switchShows(inEffect));
		EXPECT_EQ(coversTheScreen(), inEffect);
		EXPECT_EQ(inkIn(note, noteInk) > 0, choose != inEffect) << "note ink " << inkIn(note, noteInk);
		screenshot("fullscreen-" + step + "-chosen");
		ASSERT_TRUE(clickUntil(back, [&] { return looks(newGame, buttonBlue); })) << "the game stopped drawing";
		gameprocess::requestClose(display, window);
		ASSERT_EQ(waitForEnd(), 0) << "the game did not end cleanly";

		// The next start brings the choice, or says that this display cannot.
		startGame();
		ASSERT_FALSE(HasFatalFailure());
		ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the next start did not reach the main menu";
		ASSERT_TRUE(clickUntil(menuOptions, [&] { return looks(back, buttonBlue); })) << "the options did not open";
		const bool now = coversTheScreen();
		if (!choose)
			EXPECT_FALSE(now) << "the window still covers the screen after full screen was switched off";
		ASSERT_TRUE(waitFor(5000, [&] { return switchShows(now); })) << "the switch does not show the mode in effect";
		screenshot("fullscreen-" + step + "-next-start");
		// The note shows only while the choice is not in effect.
		EXPECT_EQ(inkIn(note, noteInk) > 0, now != choose) << "note ink " << inkIn(note, noteInk);
		gameprocess::requestClose(display, window);
		ASSERT_EQ(waitForEnd(), 0);
		if (!choose)
			EXPECT_EQ(width, GameScreenLayout::VirtualWidth);
	}
}

// Level 1's welcome hint moves on with a click on the grass; then Esc pauses the level and the pause
// menu's options, help and quit confirmation each open on top of it, take their clicks in sight and
// lead back to it.
TEST_F(OverlayRoadScreens, LevelOneHintTakesAClickOnTheGrassAndThePauseMenuOpensItsScreensOnTop)
{
	writePlayer(L"Ada", -1);
	ASSERT_FALSE(HasFatalFailure());
	startTheFirstLevel();
	ASSERT_FALSE(HasFatalFailure());

	// The hint window stands at its default place.
	const SceneNodeRect hint = {560, 500, 440, 230, true};
	const SceneNodeRect grass = {520, 290, 20, 20, true};
	std::this_thread::sleep_for(std::chrono::milliseconds(2500));
	screenshot("level1-welcome-hint");
	const std::vector<unsigned long> hintBefore = pixels(hint);
	ASSERT_TRUE(click(grass));
	ASSERT_TRUE(waitForChange(hint, hintBefore)) << "a click on the grass did not move the welcome hint on";
	std::this_thread::sleep_for(std::chrono::milliseconds(800));
	screenshot("level1-lot-hint");

	// Esc pauses the level under its menu.
	const SceneNodeRect resume = pauseMenu("ResumeButton");
	ASSERT_TRUE(key("Escape"));
	ASSERT_TRUE(waitForLook(resume, buttonBlue, 10000)) << "Esc did not open the pause menu";
	screenshot("pause-menu");

	// The options cover the menu, and their switch changes in sight.
	const SceneNodeRect optionsBack = options("BackButton");
	const SceneNodeRect effects = options("MuteSoundButton");
	ASSERT_TRUE(savedSoundOn());
	ASSERT_TRUE(clickUntil(pauseMenu("OptionsButton"), [&] { return looks(optionsBack, buttonBlue); }))
	    << "the options did not show over the pause menu";
	ASSERT_TRUE(waitForLook(effects, switchGreen, 5000)) << "the effects switch is not in sight";
	EXPECT_FALSE(looks(resume, buttonBlue)) << "the pause menu shows through the options";
	screenshot("pause-options");
	ASSERT_TRUE(click(effects));
	ASSERT_TRUE(waitForLook(effects, switchRed, 5000)) << "switching the effects off showed nothing";
	EXPECT_TRUE(waitFor(5000, [] { return !savedSoundOn(); }));
	screenshot("pause-options-effects-off");
	ASSERT_TRUE(click(effects));
	ASSERT_TRUE(waitForLook(effects, switchGreen, 5000));
	EXPECT_TRUE(waitFor(5000, [] { return savedSoundOn(); }));
	ASSERT_TRUE(clickUntil(optionsBack, [&] { return looks(resume, buttonBlue); })) << "the menu did not come back";

	// The help pages and the quit confirmation likewise.
	struct Overlay
	{
		const char* name;
		const char* opener;
		SceneNodeRect control; // on the overlay: seen when it is on top, and its click leads back
	};
	const Overlay overlays[] = {
	    {"help", "HelpButton", node("HelpScene.qscn", {"Scene", "CloseButton"})},
	    {"quit", "ExitGameButton", node("QuitConfirmationScene.qscn", {"Scene", "NoButton"})},
	};
	for (const Overlay& overlay : overlays)
	{
		SCOPED_TRACE(overlay.name);
		const std::vector<unsigned long> menuShown = pixels({0, 0, 1024, 768, true});
		ASSERT_TRUE(clickUntil(pauseMenu(overlay.opener), [&] { return looks(overlay.control, buttonBlue); }))
		    << "it did not show over the pause menu";
		std::this_thread::sleep_for(std::chrono::milliseconds(800));
		EXPECT_NE(pixels({0, 0, 1024, 768, true}), menuShown);
		screenshot(std::string("pause-") + overlay.name);
		ASSERT_TRUE(clickUntil(overlay.control, [&] { return !looks(overlay.control, buttonBlue); }))
		    << "its button did not close it";
		ASSERT_TRUE(waitForLook(resume, buttonBlue, 10000)) << "the pause menu did not come back";
	}

	// Resume: the level again, the menu gone.
	ASSERT_TRUE(clickUntil(resume, [&] { return !looks(resume, buttonBlue); })) << "Resume did not close the menu";
	ASSERT_TRUE(gameRunning());
	screenshot("resumed");
}
