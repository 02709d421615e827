#include "ProcessTestSupport.h"
#include "data/GameEventIds.h"
#include "effects/GPathMovableNode.h"
#include "level/GCloudsProcess.h"
#include "level/GFeatureProcess.h"
#include "level/GServeBusProcess.h"
#include "level/GServeTimerProcess.h"
#include "nodes/BaseProgressBarNode.h"
#include "scene/NodeEvents.h"

#include <gtest/gtest.h>

using namespace proctest;

namespace
{
// The serve bus to the hostel, as the level starts it for a request of service 5.
GServeBusProcess* startServeBus(ProcessLevel& rig, GLevelPath* path)
{
	GBuildingNode* hostel = rig.building("Place1");
	auto* visit = new GServeBusProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), path);
	return rig.start(visit, hostel, GBuildingNode::WorkerJob, 0.0f, 0);
}
} // namespace

// A serve time of 3000 ms ends with the first update past it, whatever the build-time factor.
TEST(GServeTimerProcess, ReadyAfterTheServeTime)
{
	ProcessLevel rig;
	rig.level->getModifierValues()->buildTimeM = 2.0f;
	GBuildingNode* server = rig.building("Place1");
	auto* timer = rig.start(new GServeTimerProcess(rig.level.get(), server, rig.templates()), server,
	                        GBuildingNode::ServingWork, 0.0f, 0);
	ASSERT_TRUE(timer->getProgressBar());
	for (int i = 0; i < 75; ++i)
		rig.level->updateProcesses(20);
	EXPECT_NEAR(timer->getProgressBar()->getValue(), 0.5f, 1e-4f);
	EXPECT_EQ(rig.runToEnd(timer), 76);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventBuildingReady), 1);
	EXPECT_EQ(server->findChild(internStringId("ProgressBarOverBuilding"), 0), nullptr);
}

// Without a path the visit is served in place: the wait is the record's serve time, measured by the
// same time the progress shows, and the process is gone two updates after the end.
TEST(GServeBusProcess, WaitsTheServeTimeWithoutABus)
{
	ProcessLevel rig;
	GServeBusProcess* visit = startServeBus(rig, nullptr);
	EXPECT_FALSE(visit->getBus());
	EXPECT_EQ(visit->getStep(), 2);
	rig.level->updateProcesses(20);
	for (int i = 0; i < 75; ++i)
		rig.level->updateProcesses(20);
	EXPECT_NEAR(visit->getProgress(), 0.5f, 1e-4f) << "1500 of the 3000 ms serve time";
	EXPECT_NEAR(visit->getProgressBar()->getValue(), 0.5f, 1e-4f);
	for (int i = 0; i < 76; ++i)
		rig.level->updateProcesses(20);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventServeDone), 1);
	EXPECT_FALSE(visit->getProgressBar());
	EXPECT_EQ(rig.runToEnd(visit), 2);
}

// With a path the bus drives in at 180 pixels per second, waits, drives the route back and goes;
// only the bus's own arrivals move it on.
TEST(GServeBusProcess, BusDrivesInWaitsAndDrivesBack)
{
	ProcessLevel rig;
	SmartPointer<GLevelPath> path = busRoute();
	GServeBusProcess* visit = startServeBus(rig, path.get());
	GPathMovableNode* bus = visit->getBus();
	ASSERT_TRUE(bus);
	EXPECT_EQ(bus->getSpeed(), 180.0f);
	EXPECT_EQ(bus->getTrafficManager(), nullptr);

	SmartPointer<BaseNode> stranger(new BaseNode());
	SmartPointer<CEventNodeStateFinished> foreign(
	    new CEventNodeStateFinished(stranger.get(), internStringId("MovingTo")));
	visit->onEvent(foreign.get());
	EXPECT_EQ(visit->getStep(), 1) << "another node's arrival is not the bus's";

	// 280 pixels at 180 pixels per second: 78 updates.
	for (int i = 0; i < 78; ++i)
		rig.level->updateProcesses(20);
	EXPECT_EQ(visit->getStep(), 3);
	while (rig.ledger.count(EventTypeGEventServeDone) == 0)
		rig.level->updateProcesses(20);
	rig.level->updateProcesses(20);
	EXPECT_EQ(visit->getStep(), 5);
	EXPECT_TRUE(visit->getBus()->isMoving());
	EXPECT_GT(rig.runToEnd(visit), 70);
	EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
}

// Cancelling the visit frees the building at once, stops the countdown and sends the bus away; no
// end of service is reported.
TEST(GServeBusProcess, CancelStopsTheVisit)
{
	for (int moment : {0, 10, 100, 200})
	{
		ProcessLevel rig;
		SCOPED_TRACE("after " + std::to_string(moment) + " updates");
		SmartPointer<GLevelPath> path = busRoute();
		GBuildingNode* hostel = rig.building("Place1");
		GServeBusProcess* visit = startServeBus(rig, path.get());
		for (int i = 0; i < moment; ++i)
			rig.level->updateProcesses(20);
		hostel->cancelWork();
		EXPECT_EQ(hostel->getWorkKind(), GBuildingNode::NoWork);
		EXPECT_FALSE(visit->getProgressBar());
		EXPECT_GT(rig.runToEnd(visit), 0);
		EXPECT_EQ(rig.ledger.count(EventTypeGEventServeDone), 0);
		EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
		EXPECT_EQ(rig.level->income, 1000.0f);
	}
}

// A feature that is not active when the process first updates ends at once.
TEST(GFeatureProcess, EndsWhenTheFeatureIsNotActive)
{
	ProcessLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	auto* feature = rig.start(new GFeatureProcess(rig.level.get(), hostel, rig.cargos(), rig.templates(), 0), hostel,
	                          GBuildingNode::FeatureWork, 0.0f, 0);
	EXPECT_TRUE(feature->getProgressBar());
	EXPECT_EQ(rig.runToEnd(feature), 1);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventFeatureEnded), 1);
	EXPECT_EQ(hostel->getWorkKind(), GBuildingNode::NoWork);
	EXPECT_EQ(hostel->findChild(internStringId("ProgressBarOverBuilding"), 0), nullptr);
}

// Three clouds at once, a fourth on the first update, each removed at the end of its drift, the
// next one when the countdown runs out.
TEST(GCloudsProcess, CloudsDriftAcrossAndGo)
{
	ProcessLevel rig;
	SmartPointer<GCloudsProcess> clouds(new GCloudsProcess(rig.cargos(), rig.templates()));
	EXPECT_EQ(clouds->getClouds().size(), 3u);
	EXPECT_EQ(rig.cargos()->getChildren().size(), 3u);
	EXPECT_TRUE(clouds->update(20));
	EXPECT_EQ(clouds->getCloudsMade(), 4);
	for (const SmartPointer<GPathMovableNode>& cloud : clouds->getClouds())
	{
		EXPECT_GE(cloud->getSpeed(), 30.0f);
		EXPECT_LE(cloud->getSpeed(), 39.0f);
	}
	// 1500 pixels at 30 pixels per second at most: every cloud has arrived after 50 s.
	EXPECT_TRUE(clouds->update(50000));
	EXPECT_EQ(clouds->getCloudsRemoved(), 4);
	EXPECT_EQ(clouds->getCloudsMade(), 5);
	EXPECT_EQ(clouds->getClouds().size(), 1u);
	EXPECT_EQ(rig.cargos()->getChildren().size(), 1u);
	clouds.reset();
	EXPECT_EQ(rig.cargos()->getChildren().size(), 0u) << "the clouds go with the process";
}

TEST(GCloudsProcess, EntryPointsLieOutsideTheScreen)
{
	for (int i = 0; i < 20; ++i)
	{
		const irr::core::vector2df top = GCloudsProcess::entryPoint(0);
		EXPECT_EQ(top.Y, -50.0f);
		EXPECT_GE(top.X, 0.0f);
		EXPECT_LT(top.X, 1024.0f);
		const irr::core::vector2df right = GCloudsProcess::entryPoint(1);
		EXPECT_EQ(right.X, 1074.0f);
		EXPECT_GE(right.Y, 0.0f);
		EXPECT_LT(right.Y, 550.0f);
	}
}

TEST(GCloudsProcess, WithoutTemplatesNoCloud)
{
	TemplateSet none;
	none.clouds = false;
	ProcessLevel rig(none);
	SmartPointer<GCloudsProcess> clouds(new GCloudsProcess(rig.cargos(), rig.templates()));
	EXPECT_TRUE(clouds->update(20));
	EXPECT_EQ(clouds->getCloudsMade(), 0);
	SmartPointer<GCloudsProcess> noCollection(new GCloudsProcess(rig.cargos(), nullptr));
	EXPECT_FALSE(noCollection->update(20));
}
