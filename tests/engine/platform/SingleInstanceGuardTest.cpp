#include "platform/SingleInstanceGuard.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
// Xvfb now and then refuses a connection it accepts a moment later.
Display* openTestDisplay()
{
	for (int attempt = 0; attempt < 5; ++attempt)
		if (Display* display = XOpenDisplay(nullptr))
			return display;
		else
			usleep(20000);
	return nullptr;
}

constexpr const char* GuardName = "Verandel Game Instance";

// Points the guard's lock folder at a fresh temporary folder.
class GuardFixture : public testing::Test
{
protected:
	void SetUp() override
	{
		const char* old = std::getenv("XDG_RUNTIME_DIR");
		hadOld = old != nullptr;
		if (old)
			oldRuntime = old;
		setenv("XDG_RUNTIME_DIR", temp.path().c_str(), 1);
	}
	void TearDown() override
	{
		if (hadOld)
			setenv("XDG_RUNTIME_DIR", oldRuntime.c_str(), 1);
		else
			unsetenv("XDG_RUNTIME_DIR");
	}

	// Exit status of a child that makes its own guard: 1 when it saw another instance, 0 when it was first.
	static int childSeesAnother(unsigned long storeWindow = 0)
	{
		pid_t child = fork();
		if (child == 0)
		{
			SingleInstanceGuard guard(GuardName);
			if (storeWindow)
				guard.storeWindowHandle(storeWindow);
			_exit(guard.isAnotherInstanceRunning() ? 1 : 0);
		}
		int status = 0;
		waitpid(child, &status, 0);
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	TempDir temp;
	std::string oldRuntime;
	bool hadOld = false;
};
} // namespace

TEST_F(GuardFixture, SecondProcessSeesTheFirst)
{
	SingleInstanceGuard first(GuardName);
	EXPECT_FALSE(first.isAnotherInstanceRunning());
	EXPECT_EQ(temp.path() + "/" + GuardName + ".lock", first.getLockFileName());
	EXPECT_EQ(1, childSeesAnother());
}

TEST_F(GuardFixture, LockOfAnEndedProcessIsFreeAgain)
{
	EXPECT_EQ(0, childSeesAnother(12345));
	SingleInstanceGuard guard(GuardName);
	EXPECT_FALSE(guard.isAnotherInstanceRunning());
}

TEST_F(GuardFixture, GuardThatCannotBeMadeLetsTheProgramStart)
{
	// A folder in place of the lock file: it cannot be opened.
	ASSERT_EQ(0, mkdir((temp.path() + "/" + GuardName + ".lock").c_str(), 0700));
	SingleInstanceGuard guard(GuardName);
	EXPECT_FALSE(guard.isAnotherInstanceRunning());
}

TEST_F(GuardFixture, FallsBackToTempFolderWithUserIdWithoutRuntimeFolder)
{
	unsetenv("XDG_RUNTIME_DIR");
	setenv("TMPDIR", temp.path().c_str(), 1);
	std::string name = SingleInstanceGuard::lockFileFor("Some Game");
	unsetenv("TMPDIR");
	EXPECT_EQ(temp.path() + "/Some Game." + std::to_string(getuid()) + ".lock", name);
}

TEST_F(GuardFixture, SecondInstanceRestoresAndActivatesTheStoredWindow)
{
	if (!std::getenv("DISPLAY"))
		GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
	Display* display = openTestDisplay();
	ASSERT_NE(nullptr, display);
	Window root = DefaultRootWindow(display);
	Window window = XCreateSimpleWindow(display, root, 0, 0, 64, 64, 0, 0, 0);
	// Minimised as a window manager would mark it: unmapped, WM_STATE iconic.
	Atom wmState = XInternAtom(display, "WM_STATE", False);
	long state[2] = {IconicState, 0};
	XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(state), 2);
	XSelectInput(display, root, SubstructureNotifyMask);
	XSync(display, False);

	SingleInstanceGuard first(GuardName);
	first.storeWindowHandle(window);
	EXPECT_EQ(1, childSeesAnother());

	XSync(display, False);
	XWindowAttributes attributes;
	ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
	EXPECT_EQ(IsViewable, attributes.map_state);

	bool activationAsked = false;
	XEvent event;
	Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
	while (XCheckTypedEvent(display, ClientMessage, &event))
		activationAsked |= event.xclient.window == window && event.xclient.message_type == activeWindow;
	EXPECT_TRUE(activationAsked);

	XDestroyWindow(display, window);
	XCloseDisplay(display);
}
