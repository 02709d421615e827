#include "ProcessTestSupport.h"
#include "data/GEventRepairDone.h"
#include "data/GameEventIds.h"
#include "level/GRepairProcess.h"
#include "nodes/BaseProgressBarNode.h"

#include <gtest/gtest.h>

using namespace proctest;

namespace
{
// Runs a number of updates; on its last one it can start further processes in the level, as a
// message handler reacting to its end would.
class SpawningProcess : public GLevelProcess
{
public:
	SpawningProcess(GGameLevelScene* level, int life, int spawns) : level(level), life(life), spawns(spawns) {}
	float getProgress() const override { return 0.0f; }
	bool update(irr::u32) override
	{
		++updates;
		if (--life > 0)
			return true;
		for (int i = 0; i < spawns; ++i)
			level->addProcess(SmartPointer<SpawningProcess>(new SpawningProcess(level, 2, 0)).get());
		return false;
	}
	GGameLevelScene* level;
	int life;
	int spawns;
	int updates = 0;
};

std::string updateCounts(const GGameLevelScene& level)
{
	std::string text;
	for (const SmartPointer<GLevelProcess>& p : level.getProcesses())
		text += std::to_string(static_cast<const SpawningProcess*>(p.get())->updates) + " ";
	return text;
}
} // namespace

// Processes that start processes while they are being updated: the array grows (and moves) under
// the loop; the finished ones leave and every process is updated at most once per pass.
TEST(GLevelProcess, ArrayChangedDuringTheUpdatePass)
{
	struct Case
	{
		const char* name;
		std::vector<std::pair<int, int>> processes; // life, spawns
		const char* afterOnePass;
	};
	const Case cases[] = {
	    {"last one finishes and starts one", {{5, 0}, {1, 1}}, "1 1 "},
	    {"first one finishes and starts many", {{1, 20}, {5, 0}}, "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 "},
	    {"all finish, one starts one", {{1, 0}, {1, 1}, {1, 0}}, "1 "},
	};
	for (const Case& c : cases)
	{
		ProcessLevel rig;
		for (const auto& p : c.processes)
			rig.level->addProcess(
			    SmartPointer<SpawningProcess>(new SpawningProcess(rig.level.get(), p.first, p.second)).get());
		rig.level->updateProcesses(20);
		EXPECT_EQ(updateCounts(*rig.level), c.afterOnePass) << c.name;
	}
}

// A usable path but no "Bus" template: the workers are on site at once and the job ends on time,
// as without a path.
TEST(GLevelProcess, MissingBusTemplateEndsTheWorkLikeMissingPath)
{
	TemplateSet noBus;
	noBus.bus = false;
	ProcessLevel rig(noBus);
	SmartPointer<GLevelPath> path = busRoute();
	GBuildingNode* hostel = rig.building("Place1");
	auto* repair =
	    rig.start(new GRepairProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), path.get(), 0.0f, 3),
	              hostel, GBuildingNode::WorkerJob, 0.0f, 3);
	EXPECT_EQ(repair->getStep(), 2);
	EXPECT_EQ(rig.runToEnd(repair), 100);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 1);
	EXPECT_EQ(rig.level->freeWorkers, 10);
}

// The bar over the building: cloned from its template, 0 to 1, following the progress; without the
// template the work runs the same.
TEST(GLevelProcess, ProgressBarOverTheBuilding)
{
	for (const bool withBar : {true, false})
	{
		TemplateSet set;
		set.progressBar = withBar;
		ProcessLevel rig(set);
		GBuildingNode* hostel = rig.building("Place1");
		auto* repair =
		    rig.start(new GRepairProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), nullptr, 0.0f, 1),
		              hostel, GBuildingNode::WorkerJob, 0.0f, 1);
		BaseProgressBarNode* bar = repair->getProgressBar();
		ASSERT_EQ(bar != nullptr, withBar);
		if (bar)
		{
			EXPECT_EQ(bar->getParent(), hostel);
			EXPECT_TRUE(bar->isVisible());
			EXPECT_EQ(bar->getMinValue(), 0.0f);
			EXPECT_EQ(bar->getMaxValue(), 1.0f);
			EXPECT_EQ(bar->getValue(), 0.0f);
			for (int i = 0; i < 25; ++i)
				rig.level->updateProcesses(20);
			EXPECT_NEAR(bar->getValue(), 0.25f, 1e-4f);
		}
		EXPECT_EQ(rig.runToEnd(repair), withBar ? 75 : 100);
		EXPECT_EQ(hostel->findChild(internStringId("ProgressBarOverBuilding"), 0), nullptr);
	}
}

// Messages reach the level first and then climb to its parent; the sender keeps its reference.
TEST(GLevelProcess, ReportOffersTheMessageToTheLevelThenItsParents)
{
	ProcessLevel rig;
	SmartPointer<GEventRepairDone> done(new GEventRepairDone(rig.building("Place1")));
	GLevelProcess::report(rig.level.get(), done.get());
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 1);
	EXPECT_EQ(rig.services.log->count(EventTypeGEventRepairDone), 1);
	EXPECT_EQ(done->getReferenceCount(), 1);
	GLevelProcess::report(nullptr, done.get());
}
