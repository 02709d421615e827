#pragma once

// Starts the built game as its own process and watches its window on the test display.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with names in other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace gameprocess
{
inline bool isFolder(const std::string& path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The game program of this build tree, or empty when it has not been built.
inline std::string gameProgram(const char* binaryDir)
{
	if (!binaryDir)
		return {};
	const std::string path = std::string(binaryDir) + "/bin/game";
	return access(path.c_str(), X_OK) == 0 ? path : std::string();
}

// Where the game finds its "assets" folder: beside the program once the build has copied it there,
// otherwise the source tree.
inline std::string assetsRoot(const char* binaryDir, const char* sourceDir)
{
	if (binaryDir && isFolder(std::string(binaryDir) + "/bin/assets"))
		return std::string(binaryDir) + "/bin";
	return sourceDir ? sourceDir : ".";
}

// The program placed in folder, as an install puts it beside its content (the game looks for its content
// in its own folder): a hard link, or a copy where no link can be made; empty when neither works.
inline std::string installProgram(const std::string& program, const std::string& folder)
{
	const std::string target = folder + "/game";
	if (link(program.c_str(), target.c_str()) == 0)
		return target;
	std::ifstream in(program, std::ios::binary);
	std::ofstream out(target, std::ios::binary);
	out << in.rdbuf();
	out.close();
	return in && out && chmod(target.c_str(), 0755) == 0 ? target : std::string();
}

// Starts program in folder with the current environment; the child's id, or -1.
inline pid_t start(const std::string& program, const std::string& folder)
{
	const pid_t pid = fork();
	if (pid == 0)
	{
		if (chdir(folder.c_str()) != 0)
			_exit(127);
		// Mesa's driver leaves allocations behind after it is unloaded at exit; the leak checker
		// cannot name them in the game process, so only the tests' own processes check for leaks.
		setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
		setenv("LSAN_OPTIONS", "detect_leaks=0", 1);
		execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
		_exit(127);
	}
	return pid;
}

// Waits up to timeoutMs for the child to end; its exit code, or -1 when it is still running or was killed.
inline int waitForExit(pid_t pid, int timeoutMs)
{
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	while (std::chrono::steady_clock::now() < deadline)
	{
		int status = 0;
		const pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
			return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		if (done < 0)
			return -1;
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
	return -1;
}

// Ends a child that would not stop by itself.
inline void stop(pid_t pid)
{
	if (pid <= 0)
		return;
	kill(pid, SIGKILL);
	int status = 0;
	waitpid(pid, &status, 0);
}

// How a run to the end went: the exit code (-1 when it had to be stopped) and what it wrote on stderr.
struct Outcome
{
	int exitCode = -1;
	std::string errors;
};

// Runs program in folder to its end with the current environment changed by edits (a null value
// removes the variable), catching its error stream; stopped after timeoutMs.
inline Outcome runToEnd(const std::string& program, const std::string& folder,
                        const std::vector<std::pair<const char*, const char*>>& edits, int timeoutMs)
{
	Outcome outcome;
	int errors[2];
	if (pipe(errors) != 0)
		return outcome;
	const pid_t pid = fork();
	if (pid == 0)
	{
		close(errors[0]);
		dup2(errors[1], STDERR_FILENO);
		close(errors[1]);
		for (const auto& [name, value] : edits)
			value ? setenv(name, value, 1) : unsetenv(name);
		if (chdir(folder.c_str()) != 0)
			_exit(127);
		setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
		setenv("LSAN_OPTIONS", "detect_leaks=0", 1);
		execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
		_exit(127);
	}
	close(errors[1]);
	if (pid < 0)
	{
		close(errors[0]);
		return outcome;
	}
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	char buffer[4096];
	for (;;)
	{
		const auto left =
		    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
		pollfd watch{errors[0], POLLIN, 0};
		if (left <= 0 || poll(&watch, 1, static_cast<int>(left)) <= 0)
			break;
		const ssize_t n = read(errors[0], buffer, sizeof(buffer));
		if (n <= 0)
			break;
		outcome.errors.append(buffer, static_cast<size_t>(n));
	}
	close(errors[0]);
	// The error stream ends when the program does; a program still running then is stopped.
	const auto end = std::max(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(5000));
	for (;;)
	{
		int status = 0;
		const pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
		{
			outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
			return outcome;
		}
		if (done < 0)
			return outcome;
		if (std::chrono::steady_clock::now() >= end)
		{
			stop(pid);
			return outcome;
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
}

// Peak resident memory of a running process in KiB (0 when unknown).
inline long peakResidentKiB(pid_t pid)
{
	std::ifstream status("/proc/" + std::to_string(pid) + "/status");
	std::string line;
	while (std::getline(status, line))
		if (line.rfind("VmHWM:", 0) == 0)
			return std::strtol(line.c_str() + 6, nullptr, 10);
	return 0;
}

// Xvfb now and then refuses a connection it accepts a moment later.
inline Display* openDisplay()
{
	for (int attempt = 0; attempt < 10; ++attempt)
	{
		if (Display* display = XOpenDisplay(nullptr))
			return display;
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
	return nullptr;
}

// Mapped windows titled title below root, depth first.
inline int findWindows(Display* display, Window root, const char* title, Window& first)
{
	int found = 0;
	char* name = nullptr;
	if (XFetchName(display, root, &name) && name)
	{
		XWindowAttributes attributes;
		if (std::string(name) == title && XGetWindowAttributes(display, root, &attributes) &&
		    attributes.map_state == IsViewable)
		{
			if (!found)
				first = root;
			++found;
		}
		XFree(name);
	}
	Window rootReturn, parentReturn;
	Window* children = nullptr;
	unsigned count = 0;
	if (XQueryTree(display, root, &rootReturn, &parentReturn, &children, &count))
	{
		for (unsigned i = 0; i < count; ++i)
		{
			Window child = 0;
			if (const int n = findWindows(display, children[i], title, child))
			{
				if (!found)
					first = child;
				found += n;
			}
		}
		if (children)
			XFree(children);
	}
	return found;
}

// Whether a spread of points of the window's picture shows anything but black.
inline bool showsPicture(Display* display, Window window)
{
	XWindowAttributes attributes;
	if (!XGetWindowAttributes(display, window, &attributes) || attributes.width < 8 || attributes.height < 8)
		return false;
	XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
	                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
	if (!image)
		return false;
	bool lit = false;
	for (int y = attributes.height / 8; y < attributes.height && !lit; y += attributes.height / 8)
		for (int x = attributes.width / 8; x < attributes.width && !lit; x += attributes.width / 8)
			lit = (XGetPixel(image, x, y) & 0xffffff) != 0;
	XDestroyImage(image);
	return lit;
}

// The window manager's close request, as the close box sends it.
inline void requestClose(Display* display, Window window)
{
	XEvent event{};
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
	event.xclient.format = 32;
	event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
	event.xclient.data.l[1] = CurrentTime;
	XSendEvent(display, window, False, NoEventMask, &event);
	XSync(display, False);
}

// Polls until the titled window shows a picture; false after timeoutMs or when the process ends first.
inline bool waitForPicture(Display* display, pid_t pid, const char* title, int timeoutMs, Window& window)
{
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	while (std::chrono::steady_clock::now() < deadline)
	{
		if (waitpid(pid, nullptr, WNOHANG) != 0)
			return false;
		window = 0;
		if (findWindows(display, DefaultRootWindow(display), title, window) && showsPicture(display, window))
			return true;
		std::this_thread::sleep_for(std::chrono::milliseconds(5));
	}
	return false;
}
} // namespace gameprocess
