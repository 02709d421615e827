#include "StartupProblems.h"

#include <X11/Xlib.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
// The first line of what was written to the stream, without its line break.
std::string firstLineOf(FILE* stream)
{
	std::rewind(stream);
	char line[512] = {};
	while (std::fgets(line, sizeof(line), stream))
	{
		std::string text(line);
		while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
			text.pop_back();
		if (!text.empty())
			return text;
	}
	return std::string();
}

// Tries a connection to the display with the error stream caught: Xlib prints the server's reason
// for a refusal there. Returns whether it opened and that reason.
bool tryDisplay(std::string& serverReason)
{
	FILE* caught = std::tmpfile();
	const int savedError = caught ? ::dup(STDERR_FILENO) : -1;
	if (savedError >= 0)
	{
		std::fflush(stderr);
		::dup2(::fileno(caught), STDERR_FILENO);
	}
	Display* display = XOpenDisplay(nullptr);
	if (savedError >= 0)
	{
		std::fflush(stderr);
		::dup2(savedError, STDERR_FILENO);
		::close(savedError);
		serverReason = firstLineOf(caught);
	}
	if (caught)
		std::fclose(caught);
	if (!display)
		return false;
	XCloseDisplay(display);
	return true;
}
} // namespace

std::string describeDisplayProblem()
{
	const char* name = std::getenv("DISPLAY");
	if (!name || !*name)
		return "no X display is set (DISPLAY is empty)";
	std::string serverReason;
	// A busy X server now and then refuses a connection that it accepts a moment later.
	for (int attempt = 0; attempt < 10; ++attempt)
	{
		if (tryDisplay(serverReason))
			return std::string();
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
	const std::string display = std::string("\"") + name + "\"";
	if (!serverReason.empty())
		return "the X server of display " + display + " refused the connection: " + serverReason;
	return "no X server answers on display " + display;
}

std::string describeUnreadablePath(const std::string& path, bool folder)
{
	if (folder)
	{
		DIR* dir = ::opendir(path.c_str());
		if (!dir)
			return std::strerror(errno);
		::closedir(dir);
		return std::string();
	}
	const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return std::strerror(errno);
	struct stat info;
	const bool isFolder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
	::close(fd);
	return isFolder ? std::strerror(EISDIR) : std::string();
}

void showStartupFailure(const std::string& title, const std::string& text)
{
	std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
	std::fflush(stderr);
}
