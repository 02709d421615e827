#pragma once

// The built game in its own window on the test display, driven only by X input events (xdotool) and read
// back from the X server: the fixture of the tests that play the game program as a person does.

#include "GameTestSupport.h"
#include "SceneFileLayout.h"
#include "app/GameScreenLayout.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "data/ProfileKeys.h"
#include "support/OnScreenTest.h"

// After the engine headers: Xlib's macros clash with names in them.
#include "GameInputSupport.h"
#include "GameProcessSupport.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

class GameWindowTest : public testing::Test
{
protected:
	static constexpr const char* WindowTitle = "Verandel";

	// Screenshots are kept as <build>/artifacts/<prefix><name>.png.
	explicit GameWindowTest(std::string artifactPrefix) : artifactPrefix(std::move(artifactPrefix)) {}

	void SetUp() override
	{
		if (!std::getenv("DISPLAY"))
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		if (!gameinput::xdotool({"version"}))
			GTEST_SKIP() << "xdotool is not installed";
		program = gameprocess::gameProgram(binaryDir().c_str());
		if (program.empty())
			GTEST_SKIP() << "the game program has not been built";
		workingFolder = gameprocess::assetsRoot(binaryDir().c_str(), sourceDir().c_str());
		scenes = sourceDir() + "/assets/scenes/";
		display = gameprocess::openDisplay();
		ASSERT_NE(display, nullptr);
		folders.writeDisplayOptions(false, false);
		writer = irr::createDevice(irr::video::EDT_NULL);
		ASSERT_NE(writer, nullptr);
		artifacts = binaryDir() + "/artifacts";
		std::filesystem::create_directories(artifacts);
	}

	void TearDown() override
	{
		stopGame();
		if (writer)
			writer->drop();
		if (display)
			XCloseDisplay(display);
	}

	// Starts the game and waits for its window to show a picture.
	void startGame()
	{
		pid = gameprocess::start(program, workingFolder);
		ASSERT_GT(pid, 0);
		ASSERT_TRUE(gameprocess::waitForPicture(display, pid, WindowTitle, 30000, window))
		    << "no game window with a picture appeared";
		XWindowAttributes attributes;
		ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
		width = attributes.width;
		height = attributes.height;
		layout = computeGameScreenLayout(width, height);
		// The test display has no window manager: give the window the focus a desktop would give it.
		ASSERT_TRUE(gameinput::xdotool({"windowfocus", std::to_string(window)}));
	}

	// A player, active, as the game leaves the profile file: the last location won (-1: none yet) and the
	// effects on; a test sets its own keys on top.
	static void writePlayer(const wchar_t* name, int maxUnlockedLevelIndex,
	                        const std::function<void(CProfile&)>& setUp = {})
	{
		CProfileManager manager;
		manager.loadProfiles();
		ASSERT_TRUE(manager.addProfile(name));
		manager.setActiveProfile(manager.getProfileCount() - 1);
		CProfile* player = manager.getActiveProfile();
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, maxUnlockedLevelIndex);
		player->setInt(ProfileKey::LevelIndex, 0);
		player->setBool(ProfileKey::SoundOn, true);
		if (setUp)
			setUp(*player);
		ASSERT_TRUE(manager.saveProfiles());
	}

	// Starts the game for a new player (written before) and plays into the first level: Play on the main
	// menu, then OK on the level's goals.
	void startTheFirstLevel()
	{
		startGame();
		ASSERT_FALSE(HasFatalFailure());
		const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
		ASSERT_TRUE(waitForLook(newGame, gameinput::buttonBlue, 60000)) << "the main menu did not appear";
		playIntoTheFirstLevel();
	}

	// From the main menu on screen: Play, then OK on the first level's goals.
	void playIntoTheFirstLevel()
	{
		const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
		const SceneNodeRect goalsOk = node("LevelObjectivesScene.qscn", {"Scene", "OkButton"});
		ASSERT_TRUE(clickUntil(newGame, [&] { return looks(goalsOk, gameinput::buttonBlue); }, 3, 30000))
		    << "Play did not lead to the first level's goals";
		ASSERT_TRUE(clickUntil(goalsOk, [&] { return !looks(goalsOk, gameinput::buttonBlue); }))
		    << "the goals did not close";
	}

	void stopGame()
	{
		if (pid > 0 && gameprocess::waitForExit(pid, 0) == -1)
			gameprocess::stop(pid);
		pid = -1;
	}

	// Waits for the game to end by itself; its exit code, -1 when it had to be stopped.
	int waitForEnd()
	{
		const int code = gameprocess::waitForExit(pid, 15000);
		if (code == -1)
			gameprocess::stop(pid);
		pid = -1;
		return code;
	}

	// Window pixel of a point of the virtual screen.
	std::pair<int, int> toWindow(float x, float y) const
	{
		return {layout.offsetX + static_cast<int>(x * layout.scaleX),
		        layout.offsetY + static_cast<int>(y * layout.scaleY)};
	}

	SceneNodeRect node(const char* sceneFile, const std::vector<std::string>& path) const
	{
		const SceneNodeRect rect = scenefile::findNode(scenes + sceneFile, path);
		EXPECT_TRUE(rect.found) << sceneFile << " has no node " << path.back();
		return rect;
	}

	bool pointAt(float x, float y)
	{
		const auto [wx, wy] = toWindow(x, y);
		return gameinput::xdotool(
		    {"mousemove", "--window", std::to_string(window), std::to_string(wx), std::to_string(wy)});
	}

	// Moves the pointer over the node's centre and clicks it; the move is seen first, so the press lands on
	// a hovered control.
	bool click(const SceneNodeRect& rect)
	{
		if (!pointAt(rect.centerX(), rect.centerY()))
			return false;
		std::this_thread::sleep_for(std::chrono::milliseconds(100));
		return gameinput::xdotool({"click", "1"});
	}

	// Clicks the node until done() holds: a screen may still be covered by one that is closing, which
	// takes the click instead. Each try waits long enough for the click's screen change to show.
	bool clickUntil(const SceneNodeRect& rect, const std::function<bool()>& done, int tries = 6, int waitMs = 5000)
	{
		for (int i = 0; i < tries; ++i)
		{
			if (!gameRunning() || !click(rect))
				return false;
			if (gameinput::waitFor(waitMs, done))
				return true;
		}
		return false;
	}

	// Share of a grid of points inside the node (its rim left out) whose colour passes the test.
	float share(const SceneNodeRect& rect, bool (*test)(unsigned long))
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		if (image.empty())
			return 0.0f;
		int passed = 0, total = 0;
		for (int row = 1; row < 6; ++row)
			for (int column = 1; column < 10; ++column)
			{
				const auto [x, y] = toWindow(rect.x + rect.width * column / 10.0f, rect.y + rect.height * row / 6.0f);
				if (x < 0 || y < 0 || x >= width || y >= height)
					continue;
				++total;
				passed += test(image.at(x, y)) ? 1 : 0;
			}
		return total ? static_cast<float>(passed) / total : 0.0f;
	}

	// Whether a good part of the node shows the colour (a button's light top and its caption do not).
	bool looks(const SceneNodeRect& rect, bool (*test)(unsigned long)) { return share(rect, test) >= 0.4f; }

	// Waits until the node shows the colour; the game must keep running meanwhile.
	bool waitForLook(const SceneNodeRect& rect, bool (*test)(unsigned long), int timeoutMs = 30000)
	{
		return gameinput::waitFor(timeoutMs, [&] { return gameRunning() && looks(rect, test); });
	}

	bool gameRunning() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }

	// Keeps what the window shows as <build>/artifacts/<prefix><name>.png.
	void screenshot(const std::string& name)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		ASSERT_FALSE(image.empty());
		EXPECT_TRUE(onscreen::writePng(writer->getVideoDriver(), image, artifacts + "/" + artifactPrefix + name + ".png"));
	}

	GameDataFolders folders;
	std::string artifactPrefix;
	std::string program;
	std::string workingFolder;
	std::string scenes;
	std::string artifacts;
	Display* display = nullptr;
	irr::IrrlichtDevice* writer = nullptr;
	pid_t pid = -1;
	Window window = 0;
	int width = 0;
	int height = 0;
	GameScreenLayout layout;
};
