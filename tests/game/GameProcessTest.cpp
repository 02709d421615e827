#include "GameTestSupport.h"

// After the engine headers: Xlib's macros clash with names in them.
#include "GameProcessSupport.h"

#include <gtest/gtest.h>

namespace
{
constexpr const char* WindowTitle = "Verandel";

// The built game started on the test display with its data folders in a temporary folder.
class GameProcess : public testing::Test
{
protected:
	void SetUp() override
	{
		if (!std::getenv("DISPLAY"))
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		program = gameprocess::gameProgram(binaryDir().c_str());
		if (program.empty())
			GTEST_SKIP() << "the game program has not been built";
		display = gameprocess::openDisplay();
		ASSERT_NE(display, nullptr);
		// A window, not the whole screen; Mesa's software GLX under Xvfb refuses a swap interval.
		folders.writeDisplayOptions(false, false);
		workingFolder = gameprocess::assetsRoot(binaryDir().c_str(), sourceDir().c_str());
	}

	void TearDown() override
	{
		for (pid_t pid : {first, second})
			if (pid > 0 && gameprocess::waitForExit(pid, 0) == -1)
				gameprocess::stop(pid);
		if (display)
			XCloseDisplay(display);
	}

	GameDataFolders folders;
	std::string program;
	std::string workingFolder;
	Display* display = nullptr;
	pid_t first = -1;
	pid_t second = -1;
};
} // namespace

TEST_F(GameProcess, DrawsTheFirstSceneAndClosesCleanly)
{
	first = gameprocess::start(program, workingFolder);
	ASSERT_GT(first, 0);
	Window window = 0;
	ASSERT_TRUE(gameprocess::waitForPicture(display, first, WindowTitle, 20000, window))
	    << "no window with a picture appeared";

	gameprocess::requestClose(display, window);
	const int exitCode = gameprocess::waitForExit(first, 10000);
	first = -1;
	EXPECT_EQ(exitCode, 0);
}

TEST_F(GameProcess, RefusedSwapIntervalDoesNotEndTheGame)
{
	// The server refuses the vertical-sync request: the game logs it and goes on drawing.
	folders.writeDisplayOptions(false, true);
	first = gameprocess::start(program, workingFolder);
	ASSERT_GT(first, 0);
	Window window = 0;
	ASSERT_TRUE(gameprocess::waitForPicture(display, first, WindowTitle, 20000, window))
	    << "no window with a picture appeared";
	gameprocess::requestClose(display, window);
	const int exitCode = gameprocess::waitForExit(first, 10000);
	first = -1;
	EXPECT_EQ(exitCode, 0);
}

TEST_F(GameProcess, SecondStartLeavesTheFirstAlone)
{
	first = gameprocess::start(program, workingFolder);
	ASSERT_GT(first, 0);
	Window window = 0;
	ASSERT_TRUE(gameprocess::waitForPicture(display, first, WindowTitle, 20000, window));

	second = gameprocess::start(program, workingFolder);
	ASSERT_GT(second, 0);
	EXPECT_EQ(gameprocess::waitForExit(second, 10000), 0);
	second = -1;
	Window any = 0;
	EXPECT_EQ(gameprocess::findWindows(display, DefaultRootWindow(display), WindowTitle, any), 1);

	gameprocess::requestClose(display, window);
	EXPECT_EQ(gameprocess::waitForExit(first, 10000), 0);
	first = -1;
}
