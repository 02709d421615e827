#include "ProcessTestSupport.h"
#include "data/GameEventIds.h"
#include "effects/GPathMovableNode.h"
#include "level/GCleanProcess.h"
#include "level/GNeutralCarTraffic.h"
#include "level/GRepairProcess.h"
#include "nodes/BaseProgressBarNode.h"

#include <gtest/gtest.h>

using namespace proctest;

namespace
{
// Starts a repair (or cleaning) of the hostel as the level's command does: the condition cleared,
// 30 materials and 3 workers taken.
GWorkerWalkProcess* startJob(ProcessLevel& rig, bool clean, GLevelPath* path)
{
	GBuildingNode* hostel = rig.building("Place1");
	hostel->setCondition(GBuildingNode::Normal);
	GWorkerWalkProcess* job =
	    clean ? static_cast<GWorkerWalkProcess*>(
	                new GCleanProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), path, 30.0f, 3))
	          : new GRepairProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), path, 30.0f, 3);
	rig.start(job, hostel, GBuildingNode::WorkerJob, 30.0f, 3);
	rig.level->recalculateStats();
	return job;
}
} // namespace

// Repair time 2000 ms, factor 1, no path: the hundredth 20 ms update reports the repair and the
// workers (no materials), and takes the progress bar away.
TEST(GWorkerWalkProcess, RepairEndsWhenTheWorkTimeIsReached)
{
	ProcessLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	SmartPointer<GLevelProcess> job = shareRef<GLevelProcess>(startJob(rig, false, nullptr));
	ASSERT_EQ(job->getStep(), 2) << "no path: the workers are on site";
	ASSERT_TRUE(job->getProgressBar());
	EXPECT_EQ(job->getProgressBar()->getParent(), hostel);

	for (int i = 1; i < 100; ++i)
		ASSERT_TRUE(job->update(20)) << i;
	EXPECT_NEAR(job->getProgressBar()->getValue(), 0.99f, 1e-4f);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 0);
	EXPECT_FALSE(job->update(20));
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 1);
	ASSERT_EQ(rig.ledger.returnedMaterials, std::vector<float>{0.0f});
	EXPECT_EQ(rig.level->freeWorkers, 10);
	EXPECT_EQ(rig.level->materials, 970.0f) << "the repair used its materials";
	EXPECT_FALSE(job->getProgressBar());
	EXPECT_EQ(hostel->findChild(internStringId("ProgressBarOverBuilding"), 0), nullptr);
}

// The worker bus drives in along the path, the work starts on arrival, the bus leaves and is removed.
TEST(GWorkerWalkProcess, WorkersComeByBusAndTheBusLeaves)
{
	ProcessLevel rig;
	SmartPointer<GLevelPath> path = busRoute();
	GWorkerWalkProcess* job = startJob(rig, true, path.get());
	ASSERT_EQ(job->getStep(), 1);
	GPathMovableNode* bus = job->getBus();
	ASSERT_TRUE(bus);
	EXPECT_EQ(bus->getParent(), rig.cargos());
	EXPECT_EQ(bus->getSpeed(), 140.0f);
	EXPECT_EQ(bus->getTrafficManager(), rig.level->getNeutralCarTraffic());

	// 280 pixels at 140 pixels per second.
	for (int i = 0; i < 99; ++i)
		rig.level->updateProcesses(20);
	EXPECT_EQ(job->getStep(), 1);
	EXPECT_EQ(job->getProgress(), 0.0f) << "no work before the workers arrive";
	// Arrival and the start of the work in the same update.
	rig.level->updateProcesses(20);
	EXPECT_EQ(job->getStep(), 3);
	rig.level->updateProcesses(20);
	EXPECT_EQ(job->getStep(), 4);
	rig.level->updateProcesses(20);
	// The bus has no leaving animation here: it is gone at once and removed on the next update.
	EXPECT_EQ(job->getStep(), 6);
	rig.level->updateProcesses(20);
	EXPECT_FALSE(job->getBus());
	EXPECT_EQ(rig.cargos()->findChild(internStringId("Bus"), 0), nullptr);
	EXPECT_GT(rig.runToEnd(job), 0);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventCleanDone), 1);
	EXPECT_EQ(rig.level->freeWorkers, 10);
}

// A cancel at any moment, for both jobs: the condition comes back, materials and workers are
// returned exactly once, the statistics are current, the process ends at its next update, and a
// second cancel does nothing.
TEST(GWorkerWalkProcess, CancelAtEveryMomentRestoresTheConditionAndTheStock)
{
	for (const bool clean : {false, true})
	{
		for (int moment : {0, 1, 50, 99, 100, 101, 102, 103, 104, 150, 198})
		{
			ProcessLevel rig;
			SCOPED_TRACE(std::string(clean ? "clean" : "repair") + " after " + std::to_string(moment) + " updates");
			SmartPointer<GLevelPath> path = busRoute();
			GBuildingNode* hostel = rig.building("Place1");
			GWorkerWalkProcess* job = startJob(rig, clean, path.get());
			for (int i = 0; i < moment; ++i)
				rig.level->updateProcesses(20);
			ASSERT_TRUE(rig.running(job));
			const size_t messages = rig.ledger.ids.size();

			hostel->cancelWork();
			EXPECT_EQ(hostel->getCondition(), clean ? GBuildingNode::Dirty : GBuildingNode::Broken);
			EXPECT_EQ(hostel->getWorkKind(), GBuildingNode::NoWork);
			EXPECT_EQ(rig.level->materials, 1000.0f);
			EXPECT_EQ(rig.level->freeWorkers, 10);
			const float income = rig.level->income;
			const int guests = rig.level->guests;
			rig.level->recalculateStats();
			EXPECT_EQ(rig.level->income, income) << "statistics recalculated by the cancel";
			EXPECT_EQ(rig.level->guests, guests);

			job->cancel();
			EXPECT_EQ(rig.runToEnd(job), 1);
			EXPECT_EQ(rig.ledger.ids.size(), messages + 1) << "only the returned resources";
			EXPECT_EQ(rig.level->freeWorkers, 10);
			EXPECT_EQ(rig.cargos()->getChildren().size(), 0u) << "the bus is removed with the process";
		}
	}
}

// A broken hostel earns nothing; while its repair runs it still earns nothing; a cancel leaves the
// level's figures as a fresh count gives them.
TEST(GWorkerWalkProcess, ACancelledRepairLeavesNoStaleIncome)
{
	ProcessLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	rig.level->recalculateStats();
	EXPECT_EQ(rig.level->income, 1000.0f);
	hostel->setCondition(GBuildingNode::Broken);
	rig.level->recalculateStats();
	EXPECT_EQ(rig.level->income, 0.0f);
	startJob(rig, false, nullptr);
	rig.level->updateProcesses(20);
	hostel->cancelWork();
	EXPECT_EQ(rig.level->income, 0.0f);
	EXPECT_EQ(rig.level->guests, 0);
}
