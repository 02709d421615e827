#pragma once

#include "LevelTestSupport.h"
#include "data/GEventResourcesReturned.h"
#include "data/GLevelPath.h"
#include "level/GLevelProcess.h"

#include <string>
#include <vector>

// Fixtures for the level process tests: a small level with the templates the processes clone, the
// level's stock kept as the level scene's message handling keeps it, and the commands' bookkeeping.
namespace proctest
{
using namespace leveltest;

// Writes down every game message the level is offered and the materials each return brings (the
// level itself adds them to its stock).
class Ledger : public EventReceiver
{
public:
	bool onEvent(CEvent* event) override
	{
		if (!event || !(event->mask & EventCategoryGame))
			return false;
		ids.push_back(event->typeId());
		if (auto* returned = dynamic_cast<GEventResourcesReturned*>(event))
			returnedMaterials.push_back(returned->materials);
		return false;
	}
	int count(int id) const
	{
		int n = 0;
		for (int seen : ids)
			n += seen == id ? 1 : 0;
		return n;
	}
	GGameLevelScene* level = nullptr;
	std::vector<int> ids;
	std::vector<float> returnedMaterials;
};

// Which templates the template collection holds.
struct TemplateSet
{
	bool bus = true;
	bool helicopter = true;
	bool site = true;
	bool progressBar = true;
	bool clouds = true;
};

inline std::string processTemplates(const TemplateSet& set = TemplateSet())
{
	std::string xml;
	if (set.bus)
		xml += nodeXml("GPathMovableNode", "Bus");
	if (set.helicopter)
		xml += nodeXml("GPathMovableNode", "Helicopter", "",
		               nodeXml("BaseNode", "Body") + nodeXml("BaseNode", "Cargo") + nodeXml("BaseNode", "CargoShadow"));
	if (set.site)
		xml += nodeXml("BaseNode", "Construction", "",
		               nodeXml("BaseNode", "Scaffold") + nodeXml("ProgressBarNode", "ProgressBar"));
	if (set.progressBar)
		xml += nodeXml("ProgressBarNode", "ProgressBarOverBuilding");
	if (set.clouds)
		xml += nodeXml("GPathMovableNode", "Cloud1") + nodeXml("GPathMovableNode", "Cloud2") +
		       nodeXml("GPathMovableNode", "Cloud3");
	xml += nodeXml("BaseNode", "Cargo") + nodeXml("BaseNode", "LevelStarEffect", "", nodeXml("BaseNode", "Star")) +
	       nodeXml("SpriteNode", "ConstructionSelector");
	return xml;
}

// A hostel line of two levels and the empty place; times in ms.
inline std::string processRecords()
{
	const std::string times = prop("float", "BuildTime", "3000") + prop("float", "RepairTime", "2000") +
	                          prop("float", "DestroyTime", "1500") + prop("float", "ServeTime", "3000");
	return recordXml("BuildingPlace", 0, 0, prop("string", "NextLevelName", "Hostel1")) +
	       recordXml("Hostel1", 1, 0,
	                 times + prop("float", "Income", "1000") + prop("int", "GuestsCount", "10") +
	                     prop("int", "DestroyWorkersCost", "2") + prop("string", "NextLevelName", "Hostel2")) +
	       recordXml("Hostel2", 2, 0, times + prop("float", "Income", "2500") + prop("int", "GuestsCount", "20"));
}

// A path read from a Path element of these points.
inline SmartPointer<GLevelPath> levelPath(const std::vector<std::pair<float, float>>& points)
{
	std::string xml = "<?xml version=\"1.0\"?>\n<Path ID=\"Place1\">";
	for (const auto& p : points)
		xml += "<p p=\"" + std::to_string(p.first) + ";" + std::to_string(p.second) + "\"/>";
	xml += "</Path>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	while (reader->read() && !(reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == L"Path"))
	{
	}
	SmartPointer<GLevelPath> path(new GLevelPath());
	path->read(reader.get());
	return path;
}

// A three-point route of 280 pixels: two seconds for the worker bus.
inline SmartPointer<GLevelPath> busRoute()
{
	return levelPath({{0, 500}, {140, 500}, {280, 500}});
}

// The level of the process tests: an owned hostel on "Place1", an owned empty place "Place2", with
// 1000 materials and 10 workers in stock.
struct ProcessLevel : LevelRig
{
	explicit ProcessLevel(const TemplateSet& set = TemplateSet(), const std::string& configuration = "",
	                      const std::string& hostelChildren = "")
	    : LevelRig(levelXml(buildingXml("Place1", 100, 300, "Hostel1", true, "", hostelChildren) +
	                        buildingXml("Place2", 500, 300, "BuildingPlace")),
	               processTemplates(set))
	{
		records = buildingsConfiguration(processRecords());
		levelConfiguration = leveltest::levelConfiguration(
		    prop("float", "InitMoney", "5000") + prop("float", "InitMaterialsCount", "1000") +
		        prop("int", "InitWorkersCount", "10") + configuration,
		    // Out of reach: the level keeps ticking.
		    "<Objectives><Objective Type=\"Money\" Value=\"1000000000\"/></Objectives>");
		attach();
		setUp(records.get(), levelConfiguration.get());
		ledger.level = level.get();
		level->postListeners.push_back(&ledger);
	}
	~ProcessLevel() { level->removePostListener(&ledger); }

	// What a command does: takes the stock, adds the process and sets the building's work.
	template <class P> P* start(P* process, GBuildingNode* b, int kind, float materials, int workers)
	{
		SmartPointer<P> made(process);
		level->materials -= materials;
		level->freeWorkers -= workers;
		level->addProcess(made.get());
		if (b)
			b->setWork(kind, made.get());
		return made.get();
	}
	bool running(const GLevelProcess* process) const
	{
		for (const SmartPointer<GLevelProcess>& p : level->getProcesses())
			if (p.get() == process)
				return true;
		return false;
	}
	// Updates the processes 20 ms at a time while the process runs; the number of updates, or -1.
	int runToEnd(const GLevelProcess* process, int maxUpdates = 2000)
	{
		for (int i = 1; i <= maxUpdates; ++i)
		{
			level->updateProcesses(20);
			if (!running(process))
				return i;
		}
		return -1;
	}
	BaseNode* cargos() const { return level->getCargosNode(); }
	TemplateCollectionNode* templates() const { return services.templates.get(); }

	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> levelConfiguration;
	Ledger ledger;
};

// The record of that name from the buildings configuration.
inline GBuildingType* record(const ProcessLevel& rig, const char* name)
{
	return rig.records->findBuilding(internStringId(name)).get();
}
} // namespace proctest
