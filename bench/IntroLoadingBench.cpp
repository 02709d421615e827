// The intro's twelve loading steps against a plain read and decode of the same files: every XML and
// scene file the steps open, and every picture those files name, read from disk and decoded once.
// Needs the built content (the content target) in the same build tree; one iteration is one whole load.
#include "GameBenchSupport.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "device/IDevice.h"
#include "frontend/GIntroScene.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <irrlicht/irrlicht.h>
#include <set>
#include <sstream>
#include <string>
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

// One whole run of the twelve steps on a freshly started game; start and shutdown are not timed.
void BM_IntroLoadingSteps(benchmark::State& state)
{
	if (enterGameFolder().empty())
	{
		state.SkipWithError("the content set has not been built");
		return;
	}
	double stepSeconds[GIntroScene::StepCount] = {};
	for (auto _ : state)
	{
		state.PauseTiming();
		CProfileManager::instance()->loadProfiles();
		auto* application = new gamebench::BenchApplication(0);
		if (!application->init())
		{
			state.SkipWithError("the game did not start");
			application->drop();
			break;
		}
		SmartPointer<GIntroScene> intro(new GIntroScene());
		intro->onLoaded();
		state.ResumeTiming();
		for (int step = 0; step < GIntroScene::StepCount; ++step)
		{
			const auto started = std::chrono::steady_clock::now();
			intro->updateTime(GIntroScene::StepInterval + 1);
			stepSeconds[step] += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
		}
		state.PauseTiming();
		state.counters["atlases"] = static_cast<double>(intro->getLoadedAtlasCount());
		state.counters["particle_collections"] = static_cast<double>(intro->getLoadedParticleCollectionCount());
		intro = nullptr;
		application->shutdown();
		application->drop();
		state.ResumeTiming();
	}
	// Where the time goes: each step's mean, in ms.
	for (int step = 0; step < GIntroScene::StepCount; ++step)
		state.counters["step" + std::to_string(step) + "_ms"] =
		    1000.0 * stepSeconds[step] / std::max<double>(1.0, static_cast<double>(state.iterations()));
}
BENCHMARK(BM_IntroLoadingSteps)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same files read from disk; markup walked node by node, pictures decoded into images.
void BM_IntroFilesPlainReadAndDecode(benchmark::State& state)
{
	const std::string root = enterGameFolder();
	if (root.empty())
	{
		state.SkipWithError("the content set has not been built");
		return;
	}
	const std::vector<std::string> files = filesOfTheIntro(root);
	irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
	irr::video::IVideoDriver* driver = device->getVideoDriver();
	int64_t bytes = 0;
	for (auto _ : state)
	{
		for (const std::string& name : files)
		{
			const std::string text = readWhole(root + "/" + name);
			bytes += static_cast<int64_t>(text.size());
			if (isMarkup(name))
			{
				SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
				int nodes = 0;
				while (reader->read())
					++nodes;
				benchmark::DoNotOptimize(nodes);
			}
			else
			{
				irr::io::IReadFile* file = device->getFileSystem()->createMemoryReadFile(
				    const_cast<char*>(text.data()), static_cast<irr::s32>(text.size()), name.c_str(), false);
				irr::video::IImage* image = driver->createImageFromFile(file);
				file->drop();
				if (image)
					image->drop();
			}
		}
	}
	device->drop();
	state.SetBytesProcessed(bytes);
	state.counters["files"] = static_cast<double>(files.size());
	int pictures = 0;
	for (const std::string& name : files)
		pictures += isPicture(name) ? 1 : 0;
	state.counters["pictures"] = pictures;
}
BENCHMARK(BM_IntroFilesPlainReadAndDecode)->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace
