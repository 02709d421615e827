#include "ProcessTestSupport.h"
#include "data/GBuildingType.h"
#include "data/GameEventIds.h"
#include "effects/GPathMovableNode.h"
#include "level/GDestroyProcess.h"
#include "level/GRestoreProcess.h"
#include "nodes/BaseProgressBarNode.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"

#include <gtest/gtest.h>

using namespace proctest;

namespace
{
// What the level's demolition command does with the hostel: the process made while the hostel still
// stands, then the place switched to the empty record and the destroy workers taken.
GDestroyProcess* startDemolition(ProcessLevel& rig, GLevelPath* path)
{
	GBuildingNode* hostel = rig.building("Place1");
	hostel->saveState();
	auto* demolition = new GDestroyProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), path);
	hostel->setLevelRecord(record(rig, "BuildingPlace"), false);
	rig.start(demolition, hostel, GBuildingNode::DemolitionWork, 0.0f, demolition->getWorkers());
	rig.level->recalculateStats();
	return demolition;
}

// The restore command: the run-down hostel's build materials (120) and workers (3) taken.
GRestoreProcess* startRestoring(ProcessLevel& rig, GLevelPath* path)
{
	GBuildingNode* hostel = rig.building("Place1");
	hostel->setCondition(GBuildingNode::RunDown);
	auto* restoring = new GRestoreProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), path, 120.0f, 3);
	rig.start(restoring, hostel, GBuildingNode::WorkerJob, 120.0f, 3);
	rig.level->recalculateStats();
	return restoring;
}

// A child of the hostel whose "Restoring" state runs one key-frame animator over 1000 ms.
std::string restoringChild()
{
	return "<SceneNode Type=\"BaseNode\"><Properties>" + prop("string", "Name", "Scaffold") +
	       "</Properties><States><State Name=\"Restoring\"><Animator Type=\"KeyFrame\" Name=\"Grow\"><Properties>"
	       "<vector3d Name=\"Scale\" Value=\"1;1;1\"/></Properties><KeyFrame t=\"0\" Value0=\"1;0;1\"/>"
	       "<KeyFrame t=\"1000\" i=\"0\" Value0=\"1;1;1\"/></Animator></State></States></SceneNode>";
}

int restoringLength(GBuildingNode* hostel)
{
	AnimatorSet* state = hostel->findChild(internStringId("Scaffold"), 0)->findState(internStringId("Restoring"));
	return asKeyFrame(state->getAnimator(0))->getKeyFrames()[1].t;
}
} // namespace

// Without a path the empty place shows from the first update; a level 1 hostel's 1500 ms of
// demolition end in the first update past 1500 ms, and its two workers come back.
TEST(GDestroyProcess, DemolitionWithoutPath)
{
	ProcessLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	GDestroyProcess* demolition = startDemolition(rig, nullptr);
	EXPECT_EQ(demolition->getWorkers(), 2);
	EXPECT_EQ(rig.level->freeWorkers, 8);
	EXPECT_EQ(demolition->getStep(), 2);
	rig.level->updateProcesses(20);
	EXPECT_EQ(hostel->getTemplateName(), internStringId("BuildingPlace"));
	for (int i = 2; i <= 75; ++i)
		rig.level->updateProcesses(20);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventDestroyDone), 0) << "exactly 1500 ms is not past it";
	EXPECT_EQ(rig.runToEnd(demolition), 1);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventDestroyDone), 1);
	EXPECT_EQ(rig.level->freeWorkers, 10);
	EXPECT_EQ(hostel->findChild(internStringId("ProgressBarOverBuilding"), 0), nullptr);
}

// A cancel at any moment of the demolition brings the hostel back with its look, returns the workers
// once and leaves the level's income counting the hostel again; after the end a cancel does nothing.
TEST(GDestroyProcess, CancelAtEveryMomentBringsTheBuildingBack)
{
	for (int moment : {0, 1, 50, 100, 101, 102, 103, 150, 174, 175, 200})
	{
		ProcessLevel rig;
		SCOPED_TRACE("after " + std::to_string(moment) + " updates");
		SmartPointer<GLevelPath> path = busRoute();
		GBuildingNode* hostel = rig.building("Place1");
		SmartPointer<GDestroyProcess> demolition = shareRef(startDemolition(rig, path.get()));
		EXPECT_EQ(rig.level->income, 0.0f);
		for (int i = 0; i < moment && rig.running(demolition.get()); ++i)
			rig.level->updateProcesses(20);
		const bool done = rig.ledger.count(EventTypeGEventDestroyDone) == 1;

		demolition->cancel();
		demolition->cancel();
		rig.runToEnd(demolition.get());
		EXPECT_EQ(rig.ledger.count(EventTypeGEventResourcesReturned), 1);
		EXPECT_EQ(rig.level->freeWorkers, 10);
		EXPECT_EQ(rig.level->materials, 1000.0f);
		EXPECT_EQ(rig.cargos()->getChildren().size(), 0u) << "the bus is gone";
		if (done)
		{
			EXPECT_EQ(hostel->getRecord()->getName(), internStringId("BuildingPlace"));
			continue;
		}
		EXPECT_EQ(hostel->getRecord()->getName(), internStringId("Hostel1"));
		EXPECT_EQ(hostel->getTemplateName(), internStringId("Hostel1"));
		EXPECT_EQ(hostel->getWorkKind(), GBuildingNode::NoWork);
		EXPECT_EQ(rig.level->income, 1000.0f) << "statistics recalculated by the cancel";
		EXPECT_EQ(rig.level->guests, 10);
	}
}

// Restoring without a path: the work sound would start at once, the "Restoring" animation is fitted
// to the build time, and the end is reported as a repair with the workers.
TEST(GRestoreProcess, RestoresAndReportsARepair)
{
	ProcessLevel rig(TemplateSet(), "", restoringChild());
	GBuildingNode* hostel = rig.building("Place1");
	GRestoreProcess* restoring = startRestoring(rig, nullptr);
	EXPECT_EQ(restoringLength(hostel), 3000);
	EXPECT_EQ(rig.runToEnd(restoring), 151);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 1);
	EXPECT_EQ(rig.level->freeWorkers, 10);
	EXPECT_EQ(rig.level->materials, 880.0f);
}

// When the build-time factor changes half way, the animation is refitted to what is left at the new
// rate and the time runs at that rate.
TEST(GRestoreProcess, FactorChangeRefitsTheAnimation)
{
	ProcessLevel rig(TemplateSet(), "", restoringChild());
	GBuildingNode* hostel = rig.building("Place1");
	GRestoreProcess* restoring = startRestoring(rig, nullptr);
	for (int i = 0; i < 50; ++i)
		rig.level->updateProcesses(20);
	EXPECT_EQ(restoring->getRemaining(), 2000.0f);
	rig.level->getModifierValues()->buildTimeM = 2.0f;
	rig.level->updateProcesses(20);
	EXPECT_EQ(restoring->getSpeedFactor(), 2.0f);
	EXPECT_EQ(restoringLength(hostel), 1000) << "2000 ms left at double speed";
	EXPECT_EQ(restoring->getRemaining(), 1960.0f);
}

// A cancel at any moment leaves the hostel run-down and returns materials and workers once.
TEST(GRestoreProcess, CancelAtEveryMomentLeavesItRunDown)
{
	for (int moment : {0, 1, 99, 100, 101, 102, 103, 200, 249})
	{
		ProcessLevel rig;
		SCOPED_TRACE("after " + std::to_string(moment) + " updates");
		SmartPointer<GLevelPath> path = busRoute();
		GBuildingNode* hostel = rig.building("Place1");
		GRestoreProcess* restoring = startRestoring(rig, path.get());
		for (int i = 0; i < moment; ++i)
			rig.level->updateProcesses(20);
		ASSERT_TRUE(rig.running(restoring));
		hostel->cancelWork();
		hostel->cancelWork();
		EXPECT_EQ(hostel->getCondition(), GBuildingNode::RunDown);
		EXPECT_EQ(rig.runToEnd(restoring), 1);
		EXPECT_EQ(rig.ledger.count(EventTypeGEventResourcesReturned), 1);
		EXPECT_EQ(rig.ledger.count(EventTypeGEventRepairDone), 0);
		EXPECT_EQ(rig.level->materials, 1000.0f);
		EXPECT_EQ(rig.level->freeWorkers, 10);
		EXPECT_EQ(rig.level->income, 0.0f);
		EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
	}
}
