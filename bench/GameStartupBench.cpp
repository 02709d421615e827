// Time from starting the game process to its first drawn (not black) frame, and the peak resident
// memory at that moment. Needs an X display (xvfb-run -a) and the game built in the same tree.
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "device/IDevice.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <string>

// After the engine headers: Xlib's macros clash with names in them.
#include "../tests/game/GameProcessSupport.h"

namespace
{
std::string buildTree()
{
	char buffer[4096];
	const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
	std::string program(buffer, n > 0 ? static_cast<size_t>(n) : 0);
	program = program.substr(0, program.rfind('/'));
	return program.substr(0, program.rfind('/'));
}

// Points every data folder of the game at a fresh temporary folder and stores windowed display options.
bool prepareDataFolders()
{
	char pattern[] = "/tmp/game_startup_XXXXXX";
	const char* folder = mkdtemp(pattern);
	if (!folder)
		return false;
	const std::string root = folder;
	setenv("HOME", root.c_str(), 1);
	setenv("XDG_DATA_HOME", (root + "/user").c_str(), 1);
	setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
	setenv("ENGINE_COMMON_DATA_ROOT", (root + "/shared").c_str(), 1);
	getDevice()->setSetting("PublisherName", L"Pellwick");
	getDevice()->setSetting("TitleName", L"Verandel");
	CProfileManager profiles;
	profiles.getCommonProfileDefaults()->setBool("FullScreen", false);
	profiles.getCommonProfileDefaults()->setBool("VSync", false);
	profiles.getCommonProfileDefaults()->setInt("VideoDriver", 3);
	profiles.loadProfiles();
	return profiles.saveProfiles();
}

void BM_GameStartToFirstFrame(benchmark::State& state)
{
	const std::string tree = buildTree();
	const std::string program = gameprocess::gameProgram(tree.c_str());
	if (!std::getenv("DISPLAY") || program.empty())
	{
		state.SkipWithError("needs an X display and the built game");
		return;
	}
	if (!prepareDataFolders())
	{
		state.SkipWithError("no temporary data folder");
		return;
	}
	Display* display = gameprocess::openDisplay();
	if (!display)
	{
		state.SkipWithError("cannot open the display");
		return;
	}
	const std::string folder = gameprocess::assetsRoot(tree.c_str(), nullptr);
	double totalMs = 0.0;
	long peakKiB = 0;
	for (auto _ : state)
	{
		const auto started = std::chrono::steady_clock::now();
		const pid_t pid = gameprocess::start(program, folder);
		Window window = 0;
		const bool drawn = gameprocess::waitForPicture(display, pid, "Verandel", 30000, window);
		const auto shown = std::chrono::steady_clock::now();
		peakKiB = std::max(peakKiB, gameprocess::peakResidentKiB(pid));
		const double ms = std::chrono::duration<double, std::milli>(shown - started).count();
		state.SetIterationTime(ms / 1000.0);
		totalMs += ms;
		if (drawn)
			gameprocess::requestClose(display, window);
		if (!drawn || gameprocess::waitForExit(pid, 10000) != 0)
		{
			gameprocess::stop(pid);
			state.SkipWithError("the game did not draw its first frame or did not close");
			break;
		}
	}
	XCloseDisplay(display);
	state.counters["first_frame_ms"] = totalMs / std::max<double>(1.0, static_cast<double>(state.iterations()));
	state.counters["peak_rss_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}
} // namespace

BENCHMARK(BM_GameStartToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
