// The level's economy tick and draw submission on a busy level, measured against the 10 ms step.
#include "content/IFileSystem.h"
#include "data/GLevelPaths.h"
#include "game/level/ProcessTestSupport.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

namespace
{
using namespace proctest;

constexpr int Columns = 6;
constexpr int Rows = 4;

std::string placeName(int i)
{
	return "Place" + std::to_string(i + 1);
}

// Every place of a 6 x 4 map built with a hostel; builds and repairs take for ever, so the processes
// started below keep running while the benchmark measures.
std::string busyRecords()
{
	const std::string slow = prop("float", "BuildTime", "1e9") + prop("float", "RepairTime", "1e9");
	return recordXml("BuildingPlace", 0, 0) +
	       recordXml("Hostel1", 1, 0,
	                 slow + prop("float", "Income", "1000") + prop("int", "GuestsCount", "10") +
	                     prop("float", "Cost", "0") + prop("string", "NextLevelName", "Hostel2")) +
	       recordXml("Hostel2", 2, 0, slow + prop("float", "Income", "2500") + prop("float", "Cost", "0"));
}

// A building's look: a body of a few sprites, as the shipped looks have.
std::string lookTemplates()
{
	std::string templates;
	for (const char* name : {"BuildingPlace", "Hostel1", "Hostel2"})
	{
		std::string parts;
		for (int i = 0; i < 8; ++i)
			parts += nodeXml("SpriteNode", "Part" + std::to_string(i));
		templates += nodeXml("ControlNode", name, "", parts);
	}
	return templates;
}

std::string busyScene()
{
	std::string places;
	for (int i = 0; i < Columns * Rows; ++i)
		places += buildingXml(placeName(i), 40.0f + 160.0f * (i % Columns), 150.0f + 120.0f * (i / Columns), "Hostel1");
	return levelXml(places);
}

SmartPointer<GLevelPaths> shippedPaths()
{
	SmartPointer<GLevelPaths> paths(new GLevelPaths());
	SmartPointer<IFileSystem> files(createFileSystem());
	const std::string path = std::string(BENCH_SOURCE_DIR) + "/assets/levels/level1/LevelPaths.xml";
	if (SmartPointer<CXMLReader> reader = SmartPointer<CXMLReader>(files->createXMLReader(path.c_str())))
		paths->load(reader.get());
	return paths;
}

// The busy level, set up and run until its vehicles have arrived.
struct BusyLevel
{
	BusyLevel()
	{
		records = buildingsConfiguration(busyRecords());
		configuration =
		    levelConfiguration(prop("float", "InitMoney", "1000000") + prop("float", "InitMaterialsCount", "100000") +
		                           prop("int", "InitWorkersCount", "1000") + prop("int", "DayLength", "5"),
		                       "<Objectives><Objective Type=\"Money\" Value=\"1e12\"/></Objectives>");
		paths = shippedPaths();
		rig.attach();
		rig.setUp(records.get(), configuration.get());
		rig.level->createNeutralCarTraffic(paths.get());
		rig.enter();
		// A third of the hostels being upgraded, a third under repair, the rest earning.
		for (int i = 0; i < Columns * Rows; ++i)
		{
			GBuildingNode* building = rig.building(placeName(i).c_str());
			if (i % 3 == 0)
				rig.level->upgradeBuilding(building);
			else if (i % 3 == 1)
			{
				building->setCondition(GBuildingNode::Broken);
				rig.level->repairBuilding(building);
			}
		}
		// Vehicles arrive and the sites open before measuring.
		for (int i = 0; i < 500; ++i)
			rig.services.scheduler->update(10);
	}

	LevelRig rig{busyScene(), processTemplates() + lookTemplates()};
	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> configuration;
	SmartPointer<GLevelPaths> paths;
};

// One 10 ms step of the level layer: the level's scheduler (economy tick every 20 ms, building timers
// every 50 ms, processes, cars, clouds) and the render list of the whole level. The counter
// "step_share_pct" is the time of one step as a share of the 10 ms step. Headless the sprites have no
// texture, so the draw submission measured is the walk over every node, not the driver's work.
void BM_LevelEconomyStep(benchmark::State& state)
{
	BusyLevel busy;
	LevelRig& rig = busy.rig;
	RenderList list;
	const auto start = std::chrono::steady_clock::now();
	for (auto _ : state)
	{
		rig.services.scheduler->update(10);
		rig.drain();
		list.set_used(0);
		rig.level->addToRenderList(list);
		benchmark::DoNotOptimize(list.pointer());
	}
	const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
	state.counters["processes"] = static_cast<double>(rig.level->getProcesses().size());
	state.counters["step_share_pct"] = 100.0 * spent.count() / static_cast<double>(state.iterations()) / 0.010;
}
BENCHMARK(BM_LevelEconomyStep)->Unit(benchmark::kMicrosecond);

// The recalculation a change of the level sets off (a day, a delivery, a command), on the same level.
void BM_LevelRecalculateStats(benchmark::State& state)
{
	BusyLevel busy;
	for (auto _ : state)
	{
		busy.rig.level->recalculateStats();
		busy.rig.drain();
	}
	state.counters["buildings"] = static_cast<double>(busy.rig.level->getBuildings().size());
}
BENCHMARK(BM_LevelRecalculateStats)->Unit(benchmark::kMicrosecond);
} // namespace
