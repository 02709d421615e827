// The intro's loading against a plain read, decode and upload of the same files: every XML and scene file
// the steps open, and every picture those files name, read from disk, decoded and uploaded once.
// Needs the built content (the content target) in the same build tree; one iteration is one whole load.
// Run under a display (xvfb-run) so that the uploads go to OpenGL as in the game.
#include "GameBenchSupport.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "device/IDevice.h"
#include "frontend/GIntroScene.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <irrlicht/irrlicht.h>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using gamebench::enterGameFolder;

// What the twelve steps open by name (the intro's own list).
const char* const introFiles[] = {
    "sounds/SoundPack.xml",
    "atlases/Buildings.xml",
    "atlases/Env1.xml",
    "atlases/Env2.xml",
    "atlases/Districts.xml",
    "atlases/Effects.xml",
    "atlases/Movers.xml",
    "atlases/Minigame1.xml",
    "atlases/Minigame2.xml",
    "atlases/Minigame3.xml",
    "atlases/Minigame4.xml",
    "atlases/MainMenu.xml",
    "atlases/GameMenu.xml",
    "atlases/ObjMenu.xml",
    "atlases/ShopMenu.xml",
    "atlases/MapMenu.xml",
    "scenes/ParticleCollection.xml",
    "scenes/TemplateCollection.qscn",
    "scenes/MainMenuMovers.qscn",
    "scenes/MiniGameTemplates.qscn",
    "levels/common/ParticleCollection.xml",
    "levels/common/TemplateCollection.qscn",
    "levels/common/Fireworks/1/f.qscn",
    "levels/common/Fireworks/2/f.qscn",
    "levels/common/Fireworks/3/f.qscn",
    "levels/common/Fireworks/4/f.qscn",
    "levels/common/Movers.qscn",
    "levels/common/BuildingsConfiguration.xml",
    "levels/common/UpgradesConfiguration.xml",
    "levels/common/LevelScores.xml",
    "scenes/ComicsConfiguration.xml",
};

bool isMarkup(const std::string& name)
{
	const std::string extension = fs::path(name).extension().string();
	return extension == ".xml" || extension == ".qscn";
}

bool isPicture(const std::string& name)
{
	const std::string extension = fs::path(name).extension().string();
	return extension == ".png" || extension == ".jpg";
}

std::string readWhole(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

// Every attribute value of a markup file that names an existing file, from the assets root or the file's folder.
void collectNamedFiles(const std::string& root, const std::string& name, std::vector<std::string>& found)
{
	const std::string text = readWhole(root + "/" + name);
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	const std::string folder = fs::path(name).parent_path().string();
	while (reader->read())
		for (int i = 0; i < reader->getAttributeCount(); ++i)
		{
			const irr::core::stringc value(reader->getAttributeValue(i).c_str());
			const std::string candidate = value.c_str();
			if (candidate.empty() || !(isMarkup(candidate) || isPicture(candidate)))
				continue;
			for (const std::string& path : {candidate, folder + "/" + candidate})
				if (fs::is_regular_file(root + "/" + path))
				{
					found.push_back(path);
					break;
				}
		}
}

// The intro's files and, transitively, every markup or picture file they name.
std::vector<std::string> filesOfTheIntro(const std::string& root)
{
	std::vector<std::string> files;
	std::set<std::string> seen;
	std::vector<std::string> pending(std::begin(introFiles), std::end(introFiles));
	while (!pending.empty())
	{
		const std::string name = fs::path(pending.back()).lexically_normal().string();
		pending.pop_back();
		if (!seen.insert(name).second || !fs::is_regular_file(root + "/" + name))
			continue;
		files.push_back(name);
		if (isMarkup(name))
			collectNamedFiles(root, name, pending);
	}
	return files;
}

// The driver the intro runs on here: OpenGL where there is a display (uploads cost what they cost in the game),
// the null driver otherwise.
int benchDriverType()
{
	return std::getenv("DISPLAY") ? 3 : 0;
}

// VmHWM of this process in MiB: the peak resident memory so far.
double peakResidentMiB()
{
	std::ifstream status("/proc/self/status");
	std::string line;
	while (std::getline(status, line))
		if (line.rfind("VmHWM:", 0) == 0)
			return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
	return 0.0;
}

using Clock = std::chrono::steady_clock;

// CPU time of the calling thread (ms): on a shared machine it leaves out the time other processes took.
double threadCpuMs()
{
	timespec now{};
	clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
	return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double millisecondsSince(Clock::time_point started)
{
	return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

// Reads, decodes and uploads every file of the intro once, the plain way; the time in ms.
double plainReadDecodeUpload(const std::vector<std::string>& files, const std::string& root, int64_t& bytes)
{
	irr::video::IVideoDriver* driver = getDevice()->getVideoDriver();
	const auto started = Clock::now();
	for (const std::string& name : files)
	{
		if (isMarkup(name))
		{
			const std::string text = readWhole(root + "/" + name);
			bytes += static_cast<int64_t>(text.size());
			SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
			int nodes = 0;
			while (reader->read())
				++nodes;
			benchmark::DoNotOptimize(nodes);
			continue;
		}
		// The library reads the picture itself.
		bytes += static_cast<int64_t>(fs::file_size(root + "/" + name));
		irr::video::IImage* image = driver ? driver->createImageFromFile((root + "/" + name).c_str()) : nullptr;
		if (!image)
			continue;
		if (irr::video::ITexture* texture = driver->addTexture(name.c_str(), image))
			driver->removeTexture(texture);

		image->drop();
	}
	return millisecondsSince(started);
}

// The intro from its first update to the moment it opens the main menu, driven like the main loop drives it:
// one 10 ms update per pass, the pass waiting for the next 10 ms tick when it is early. Beside it, on the same
// game, the plain read, decode and upload of the same files. Counters: both times, their ratio, the longest
// single update (the longest the frame loop is held; in wall time and in the main thread's CPU time, which a
// busy machine does not inflate) and the peak memory after the first whole load.
void BM_IntroStartToMenu(benchmark::State& state)
{
	const std::string root = enterGameFolder();
	if (root.empty())
	{
		state.SkipWithError("the content set has not been built");
		return;
	}
	const std::vector<std::string> files = filesOfTheIntro(root);
	constexpr int UpdateMs = 10;
	double introMs = 0.0;
	double plainMs = 0.0;
	double longestHoldMs = 0.0;
	double longestHoldCpuMs = 0.0;
	double peakMiB = 0.0;
	int64_t updates = 0;
	int64_t bytes = 0;
	for (auto _ : state)
	{
		state.PauseTiming();
		CProfileManager::instance()->loadProfiles();
		auto* application = new gamebench::BenchApplication(benchDriverType());
		if (!application->init())
		{
			state.SkipWithError("the game did not start");
			application->drop();
			break;
		}
		SmartPointer<GIntroScene> intro(new GIntroScene());
		intro->onLoaded();
		state.ResumeTiming();
		const auto started = Clock::now();
		auto nextTick = started;
		while (!(intro->getStepIndex() == GIntroScene::StepCount && intro->getDisplayed() == intro->getTotal()))
		{
			std::this_thread::sleep_until(nextTick);
			const auto held = Clock::now();
			const double cpuBefore = threadCpuMs();
			intro->updateTime(UpdateMs);
			longestHoldMs = std::max(longestHoldMs, millisecondsSince(held));
			longestHoldCpuMs = std::max(longestHoldCpuMs, threadCpuMs() - cpuBefore);
			++updates;
			nextTick = std::max(nextTick + std::chrono::milliseconds(UpdateMs), Clock::now());
		}
		introMs += millisecondsSince(started);
		state.PauseTiming();
		if (peakMiB == 0.0)
			peakMiB = peakResidentMiB();
		state.counters["atlases"] = static_cast<double>(intro->getLoadedAtlasCount());
		state.counters["particle_collections"] = static_cast<double>(intro->getLoadedParticleCollectionCount());
		intro = nullptr;
		plainMs += plainReadDecodeUpload(files, root, bytes);
		application->shutdown();
		application->drop();
		state.ResumeTiming();
	}
	const double runs = std::max<double>(1.0, static_cast<double>(state.iterations()));
	state.counters["intro_ms"] = introMs / runs;
	state.counters["plain_ms"] = plainMs / runs;
	state.counters["ratio"] = introMs / std::max(1e-9, plainMs);
	state.counters["longest_hold_ms"] = longestHoldMs;
	state.counters["longest_hold_cpu_ms"] = longestHoldCpuMs;
	state.counters["updates"] = static_cast<double>(updates) / runs;
	state.counters["peak_MiB"] = peakMiB;
	state.counters["opengl"] = benchDriverType() == 3 ? 1 : 0;
}
BENCHMARK(BM_IntroStartToMenu)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
