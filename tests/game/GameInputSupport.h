#pragma once

// Drives the game's window as a player does, with X input events from xdotool, and recognises its
// screens by colour.

#include <chrono>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace gameinput
{
// Runs xdotool with the arguments; whether it succeeded.
inline bool xdotool(const std::vector<std::string>& arguments)
{
	const pid_t pid = fork();
	if (pid == 0)
	{
		std::vector<char*> argv;
		static char program[] = "xdotool";
		argv.push_back(program);
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		if (!freopen("/dev/null", "w", stdout))
			_exit(127);
		execvp("xdotool", argv.data());
		_exit(127);
	}
	int status = 0;
	return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Polls until done() holds; false after timeoutMs.
inline bool waitFor(int timeoutMs, const std::function<bool()>& done, int periodMs = 100)
{
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	while (std::chrono::steady_clock::now() < deadline)
	{
		if (done())
			return true;
		std::this_thread::sleep_for(std::chrono::milliseconds(periodMs));
	}
	return done();
}

inline bool white(unsigned long rgb)
{
	return ((rgb >> 16) & 0xff) >= 0xe8 && ((rgb >> 8) & 0xff) >= 0xe8 && (rgb & 0xff) >= 0xe8;
}

// The body of an enabled button: a deep blue, darker than the sky of the title screen.
inline bool buttonBlue(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r < 0x50 && g >= 0x50 && g < 0x98 && b >= 0x90 && b < 0xd8;
}

// The sand of an empty building lot.
inline bool lotSand(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0xb0 && r > g && g > b && r - b >= 0x30 && b >= 0x50;
}
} // namespace gameinput
