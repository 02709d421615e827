#include "AssetsTestSupport.h"
#include "content/CReadFile.h"
#include "data/GameEventIds.h"
#include "game/level/ProcessTestSupport.h"
#include "level/GBuildProcess.h"
#include "level/GCloudsProcess.h"
#include "level/GDestroyProcess.h"
#include "level/GRepairProcess.h"
#include "level/GRestoreProcess.h"

#include <gtest/gtest.h>
#include <string>

// The work of the level played with the shipped level templates: every state the processes wait for
// (helicopter flight and unloading, the bus leaving, the building site's stages, the new star, the
// restoring fade) comes to its end, so each work is handed over and its vehicles leave.
namespace
{
using namespace proctest;

// The templates of levels/common/TemplateCollection.qscn, without the collection's own element.
std::string shippedTemplates()
{
	SmartPointer<CReadFile> input(
	    new CReadFile((builtAssetsFolder() + "/levels/common/TemplateCollection.qscn").c_str()));
	if (!input->isOpen())
		return std::string();
	std::string text(static_cast<size_t>(input->getSize()), '\0');
	input->read(text.data(), static_cast<irr::u32>(text.size()));
	const size_t from = text.find("</Properties>");
	const size_t to = text.rfind("</SceneNode>");
	if (from == std::string::npos || to == std::string::npos)
		return std::string();
	return text.substr(from + 13, to - from - 13);
}

// The game's records, from the shipped buildings configuration.
SmartPointer<GBuildingsConfiguration> shippedRecords()
{
	SmartPointer<CReadFile> input(
	    new CReadFile((builtAssetsFolder() + "/levels/common/BuildingsConfiguration.xml").c_str()));
	SmartPointer<CXMLReader> reader(new CXMLReader(input.get()));
	SmartPointer<GBuildingsConfiguration> records(new GBuildingsConfiguration());
	records->load(reader.get());
	return records;
}

// A level of three places: an empty one, an owned campsite and a run-down fishing centre.
struct ContentLevel : LevelRig
{
	ContentLevel()
	    : LevelRig(levelXml(buildingXml("Empty", 100, 300, "BuildingPlace") +
	                        buildingXml("Camp", 400, 300, "Camping1") +
	                        buildingXml("Fishing", 700, 300, "FishingCenter", false)),
	               shippedTemplates())
	{
		records = shippedRecords();
		configuration =
		    levelConfiguration(prop("float", "InitMaterialsCount", "1000") + prop("int", "InitWorkersCount", "10") +
		                           prop("bool", "IsBuildingLevelOn", "true"),
		                       "<Objectives><Objective Type=\"Money\" Value=\"1000000000\"/></Objectives>");
		attach();
		setUp(records.get(), configuration.get());
		ledger.level = level.get();
		level->postListeners.push_back(&ledger);
	}
	~ContentLevel() { level->removePostListener(&ledger); }

	GBuildingType* record(const char* name) const { return records->findBuilding(internStringId(name)).get(); }
	GLevelProcess* start(GLevelProcess* process, GBuildingNode* building, int kind)
	{
		SmartPointer<GLevelProcess> made(process);
		level->addProcess(made.get());
		building->setWork(kind, made.get());
		return made.get();
	}
	bool running(const GLevelProcess* process) const
	{
		for (const SmartPointer<GLevelProcess>& p : level->getProcesses())
			if (p.get() == process)
				return true;
		return false;
	}
	// The states and the processes 20 ms at a time until the process ends; the simulated ms, or -1.
	int runToEnd(const GLevelProcess* process, int maxMs = 120000)
	{
		for (int ms = 20; ms <= maxMs; ms += 20)
		{
			services.scheduler->update(20);
			drain();
			level->updateProcesses(20);
			if (!running(process))
				return ms;
		}
		return -1;
	}

	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> configuration;
	Ledger ledger;
};
} // namespace

TEST(LevelContentProcesses, BuildingAndUpgradingWithTheShippedLooks)
{
	ASSERT_FALSE(shippedTemplates().empty()) << builtAssetsFolder();
	ContentLevel rig;
	GBuildingNode* place = rig.building("Empty");
	ASSERT_TRUE(place);
	SmartPointer<GLevelPath> path = busRoute();

	// A campsite on the empty place: the helicopter brings the load, the bus the workers.
	place->saveState();
	place->setLevelRecord(rig.record("Camping1"), false);
	place->setOwned(true);
	auto* build = static_cast<GBuildProcess*>(
	    rig.start(new GBuildProcess(rig.level.get(), place, place->getRecord(), rig.level->getCargosNode(),
	                                rig.services.templates.get(), path.get(), 20.0f, 1),
	              place, GBuildingNode::BuildWork));
	ASSERT_TRUE(build->getHelicopter()) << "the helicopter template is a path mover";
	ASSERT_TRUE(build->getSite()) << "the building site";
	const int built = rig.runToEnd(build);
	ASSERT_GT(built, 0) << "the build never ended: a state it waits for never finished";
	EXPECT_LT(built, 6000 + 1500 + 20000) << "the build time and the show around it";
	EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 1);
	EXPECT_EQ(place->getTemplateName(), internStringId("Camping1"));
	EXPECT_EQ(rig.level->getCargosNode()->getChildren().size(), 0u) << "helicopter, bus and star gone";

	// The upgrade to the second level ends with the star effect over the first star.
	place->setWork(GBuildingNode::NoWork, nullptr);
	place->saveState();
	place->setLevelRecord(rig.record("Camping2"), false);
	auto* upgrade = rig.start(new GBuildProcess(rig.level.get(), place, place->getRecord(), rig.level->getCargosNode(),
	                                            rig.services.templates.get(), path.get(), 25.0f, 1),
	                          place, GBuildingNode::BuildWork);
	ASSERT_GT(rig.runToEnd(upgrade), 0) << "the upgrade never ended";
	EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 2);
	EXPECT_EQ(place->getTemplateName(), internStringId("Camping2"));
	EXPECT_EQ(rig.level->getCargosNode()->getChildren().size(), 0u);
}

TEST(LevelContentProcesses, RepairDemolitionAndRestorationWithTheShippedLooks)
{
	ContentLevel rig;
	SmartPointer<GLevelPath> path = busRoute();
	GBuildingNode* camp = rig.building("Camp");
	ASSERT_TRUE(camp);

	camp->setCondition(GBuildingNode::Broken);
	camp->saveState();
	auto* repair = rig.start(new GRepairProcess(rig.level.get(), camp, rig.level->getCargosNode(),
	                                            rig.services.templates.get(), path.get(), 5.0f, 1),
	                         camp, GBuildingNode::WorkerJob);
	ASSERT_GT(rig.runToEnd(repair), 0) << "the repair never ended";
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 1);

	camp->setWork(GBuildingNode::NoWork, nullptr);
	camp->saveState();
	auto* destroy = rig.start(new GDestroyProcess(rig.level.get(), camp, rig.level->getCargosNode(),
	                                              rig.services.templates.get(), path.get()),
	                          camp, GBuildingNode::DemolitionWork);
	camp->setLevelRecord(rig.record("BuildingPlace"), false);
	ASSERT_GT(rig.runToEnd(destroy), 0) << "the demolition never ended";
	EXPECT_EQ(rig.ledger.count(EventTypeGEventDestroyDone), 1);
	EXPECT_EQ(camp->getTemplateName(), internStringId("BuildingPlace"));

	// The run-down look fades off the restored fishing centre.
	GBuildingNode* fishing = rig.building("Fishing");
	ASSERT_TRUE(fishing);
	ASSERT_EQ(fishing->getCondition(), int(GBuildingNode::RunDown));
	fishing->setOwned(true);
	fishing->saveState();
	auto* restore = rig.start(new GRestoreProcess(rig.level.get(), fishing, rig.level->getCargosNode(),
	                                              rig.services.templates.get(), path.get(), 40.0f, 2),
	                          fishing, GBuildingNode::WorkerJob);
	ASSERT_GT(rig.runToEnd(restore), 0) << "the restoration never ended";
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 2);
	const BaseNode* runDown = fishing->getTemplateRoot()->findChild(internStringId("RunDown"), 1);
	ASSERT_TRUE(runDown);
	EXPECT_LT(runDown->getTintColor().getAlpha(), 10u) << "the run-down look has faded off";
}

// The clouds drift across with the shipped cloud templates.
TEST(LevelContentProcesses, CloudsDriftAndLeave)
{
	ContentLevel rig;
	SmartPointer<GCloudsProcess> clouds(new GCloudsProcess(rig.level->getCargosNode(), rig.services.templates.get()));
	EXPECT_EQ(rig.level->getCargosNode()->getChildren().size(), 3u);
	for (int ms = 0; ms < 60000; ms += 20)
		clouds->update(20);
	EXPECT_GT(clouds->getCloudsRemoved(), 0) << "clouds reach the end of their drift";
}
