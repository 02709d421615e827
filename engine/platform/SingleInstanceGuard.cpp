#include "SingleInstanceGuard.h"

#include "core/ILogger.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string safeFileName(const char* name)
{
	std::string result = name && *name ? name : "instance";
	for (char& c : result)
		if (c == '/' || c == '\\')
			c = '_';
	return result;
}

bool isUsableFolder(const char* path)
{
	struct stat info;
	return path && *path == '/' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode) && ::access(path, W_OK) == 0;
}

unsigned long readStoredWindow(int fd)
{
	char text[32] = {};
	ssize_t n = ::pread(fd, text, sizeof(text) - 1, 0);
	if (n <= 0)
		return 0;
	return std::strtoul(text, nullptr, 10);
}

int ignoreXError(Display*, XErrorEvent*)
{
	return 0;
}

bool isIconic(Display* display, Window window)
{
	Atom wmState = XInternAtom(display, "WM_STATE", True);
	if (wmState == None)
		return false;
	Atom type = None;
	int format = 0;
	unsigned long count = 0;
	unsigned long after = 0;
	unsigned char* data = nullptr;
	bool iconic = false;
	if (XGetWindowProperty(display, window, wmState, 0, 2, False, wmState, &type, &format, &count, &after, &data) ==
	        Success &&
	    data)
	{
		if (format == 32 && count > 0)
			iconic = reinterpret_cast<long*>(data)[0] == IconicState;
		XFree(data);
	}
	return iconic;
}
} // namespace

std::string SingleInstanceGuard::lockFileFor(const char* name)
{
	std::string file = safeFileName(name);
	const char* runtime = std::getenv("XDG_RUNTIME_DIR");
	if (isUsableFolder(runtime))
		return std::string(runtime) + "/" + file + ".lock";
	const char* temp = std::getenv("TMPDIR");
	std::string folder = isUsableFolder(temp) ? temp : "/tmp";
	return folder + "/" + file + "." + std::to_string(::getuid()) + ".lock";
}

SingleInstanceGuard::SingleInstanceGuard(const char* name) : lockFileName(lockFileFor(name))
{
	lockFile = ::open(lockFileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
	if (lockFile < 0)
	{
		// Without a guard the program still starts: better two copies than none.
		getLogger()->log("Could not create the single-instance lock file", lockFileName.c_str(), 1);
		return;
	}
	if (::flock(lockFile, LOCK_EX | LOCK_NB) == 0)
	{
		// First instance; the kernel frees the lock when this process ends, however it ends.
		if (::ftruncate(lockFile, 0) != 0 || ::pwrite(lockFile, "0\n", 2, 0) != 2)
			getLogger()->log("Could not write the single-instance lock file", lockFileName.c_str(), 1);
		return;
	}
	if (errno != EWOULDBLOCK)
	{
		getLogger()->log("Could not lock the single-instance lock file", lockFileName.c_str(), 1);
		::close(lockFile);
		lockFile = -1;
		return;
	}
	anotherInstance = true;
	unsigned long window = readStoredWindow(lockFile);
	::close(lockFile);
	lockFile = -1;
	if (window != 0)
		activateWindow(window);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
	if (lockFile >= 0)
		::close(lockFile);
}

void SingleInstanceGuard::storeWindowHandle(unsigned long window)
{
	if (lockFile < 0)
		return;
	std::string text = std::to_string(window) + "\n";
	if (::ftruncate(lockFile, 0) != 0 ||
	    ::pwrite(lockFile, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
		getLogger()->log("Could not write the single-instance lock file", lockFileName.c_str(), 1);
}

bool SingleInstanceGuard::activateWindow(unsigned long window)
{
	// A busy X server now and then refuses a connection that it accepts a moment later.
	Display* display = nullptr;
	for (int attempt = 0; attempt < 3 && !display; ++attempt)
	{
		display = XOpenDisplay(nullptr);
		if (!display)
			::usleep(20000);
	}
	if (!display)
		return false;
	// The window may be gone already: its errors must not end this process.
	XSync(display, False);
	XErrorHandler previous = XSetErrorHandler(ignoreXError);

	Window target = static_cast<Window>(window);
	if (isIconic(display, target))
		XMapRaised(display, target);

	XEvent event{};
	event.xclient.type = ClientMessage;
	event.xclient.window = target;
	event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
	event.xclient.format = 32;
	event.xclient.data.l[0] = 1; // request from a normal application
	event.xclient.data.l[1] = CurrentTime;
	event.xclient.data.l[2] = 0;
	Status sent = XSendEvent(display, DefaultRootWindow(display), False,
	                         SubstructureRedirectMask | SubstructureNotifyMask, &event);
	XSync(display, False);
	XSetErrorHandler(previous);
	XCloseDisplay(display);
	return sent != 0;
}
