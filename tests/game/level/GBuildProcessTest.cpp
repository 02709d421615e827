#include "level/GBuildProcess.h"

#include "ProcessTestSupport.h"
#include "core/NumberText.h"
#include "data/GBuildingType.h"
#include "data/GameEventIds.h"
#include "effects/GPathMovableNode.h"
#include "nodes/BaseProgressBarNode.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace proctest;

namespace
{
// What the level's build command does on the empty place: 200 materials and 4 workers taken, the
// place switched to the new record, then the process started.
GBuildProcess* startBuild(ProcessLevel& rig, const char* placeName, const char* newRecord, GLevelPath* path)
{
	GBuildingNode* place = rig.building(placeName);
	place->saveState();
	place->setLevelRecord(record(rig, newRecord), false);
	auto* build =
	    new GBuildProcess(rig.level.get(), place, place->getRecord(), rig.cargos(), rig.templates(), path, 200.0f, 4);
	rig.start(build, place, GBuildingNode::BuildWork, 200.0f, 4);
	rig.level->recalculateStats();
	return build;
}
} // namespace

// A build from the empty place to a hostel, with every template and no path: the cargo flight, the
// site's states, the build time, then the hand-over with the workers coming back.
TEST(GBuildProcess, BuildsTheHostelAndReturnsTheWorkers)
{
	ProcessLevel rig;
	GBuildingNode* place = rig.building("Place2");
	GBuildProcess* build = startBuild(rig, "Place2", "Hostel1", nullptr);
	ASSERT_TRUE(build->getHelicopter());
	EXPECT_EQ(build->getHelicopter()->getParent(), rig.cargos());
	EXPECT_EQ(build->getBusStep(), GBuildProcess::BusLeft) << "no path: no bus, the workers are there";
	ASSERT_TRUE(build->getSite());
	EXPECT_EQ(build->getSite()->getParent(), place);
	EXPECT_EQ(build->getTotal(), 4500.0f);

	// The site waits for the cargo; the helicopter's states take one update each here.
	for (int i = 0; i < 8 && build->getSiteStep() != GBuildProcess::SiteWorking; ++i)
		rig.level->updateProcesses(20);
	ASSERT_EQ(build->getSiteStep(), GBuildProcess::SiteWorking);
	EXPECT_GE(build->getHelicopterStep(), GBuildProcess::HelicopterUnloaded);

	const int updates = rig.runToEnd(build);
	ASSERT_GT(updates, 150) << "the build time runs";
	EXPECT_LT(updates, 160);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 1);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventResourcesReturned), 1);
	EXPECT_EQ(rig.level->freeWorkers, 10);
	EXPECT_EQ(rig.level->materials, 800.0f) << "the materials went into the building";
	EXPECT_EQ(place->getTemplateName(), internStringId("Hostel1"));
	EXPECT_EQ(place->findChild(internStringId("Construction"), 0), nullptr);
	EXPECT_EQ(rig.cargos()->getChildren().size(), 0u) << "helicopter and star effect gone";
}

// The working phase counts the build time times the level's factor; the progress is measured
// against the build time plus 1500 ms.
TEST(GBuildProcess, BuildTimeFactorShortensTheWork)
{
	ProcessLevel rig;
	GBuildProcess* build = startBuild(rig, "Place2", "Hostel1", nullptr);
	rig.level->getModifierValues()->buildTimeM = 2.0f;
	while (build->getSiteStep() != GBuildProcess::SiteWorking)
		rig.level->updateProcesses(20);
	int working = 0;
	while (build->getSiteStep() == GBuildProcess::SiteWorking)
	{
		rig.level->updateProcesses(20);
		++working;
	}
	EXPECT_EQ(working, 75) << "3000 ms at double speed, 20 ms a step";
	EXPECT_NEAR(build->getProgress(), 3000.0f / 4500.0f, 1e-4f);
}

// Missing vehicle or site templates never hold up the build: it is handed over all the same.
TEST(GBuildProcess, MissingTemplatesDoNotStallTheBuild)
{
	struct Case
	{
		const char* name;
		TemplateSet set;
		bool withPath;
	};
	const Case cases[] = {
	    {"no helicopter", {true, false, true, true, true}, false},
	    {"no construction site", {true, true, false, true, true}, false},
	    {"no bus but a path", {false, true, true, true, true}, true},
	    {"nothing at all", {false, false, false, false, false}, true},
	};
	for (const Case& c : cases)
	{
		ProcessLevel rig(c.set);
		SCOPED_TRACE(c.name);
		SmartPointer<GLevelPath> path = busRoute();
		GBuildProcess* build = startBuild(rig, "Place2", "Hostel1", c.withPath ? path.get() : nullptr);
		EXPECT_GT(rig.runToEnd(build), 0);
		EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 1);
		EXPECT_EQ(rig.level->freeWorkers, 10);
		EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
	}
}

// A cancel at any moment before the hand-over brings the empty place back and returns materials and
// workers once; a cancel after it changes nothing.
TEST(GBuildProcess, CancelAtEveryMomentReturnsTheStockOnce)
{
	for (int moment : {0, 1, 2, 3, 5, 8, 40, 100, 149, 152, 153, 154, 155, 400})
	{
		ProcessLevel rig;
		SCOPED_TRACE("after " + std::to_string(moment) + " updates");
		SmartPointer<GLevelPath> path = busRoute();
		GBuildingNode* place = rig.building("Place2");
		SmartPointer<GBuildProcess> build = shareRef(startBuild(rig, "Place2", "Hostel1", path.get()));
		for (int i = 0; i < moment && rig.running(build.get()); ++i)
			rig.level->updateProcesses(20);
		const bool handedOver = rig.ledger.count(EventTypeGEventWorkCompleted) == 1;

		build->cancel();
		build->cancel();
		rig.runToEnd(build.get());
		EXPECT_EQ(rig.ledger.count(EventTypeGEventResourcesReturned), 1);
		EXPECT_EQ(rig.level->freeWorkers, 10);
		if (handedOver)
		{
			EXPECT_EQ(rig.level->materials, 800.0f);
			EXPECT_EQ(place->getRecord()->getName(), internStringId("Hostel1")) << "a late cancel keeps the building";
		}
		else
		{
			EXPECT_EQ(rig.level->materials, 1000.0f);
			EXPECT_EQ(place->getRecord()->getName(), internStringId("BuildingPlace"));
			EXPECT_EQ(place->getTemplateName(), internStringId("BuildingPlace"));
			EXPECT_EQ(place->getWorkKind(), GBuildingNode::NoWork);
			EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 0);
		}
		EXPECT_FALSE(rig.running(build.get()));
		EXPECT_EQ(place->findChild(internStringId("Construction"), 0), nullptr);
		EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
	}
}

// Cancelling an upgrade brings the hostel of level 1 back, and the level's income counts it again.
TEST(GBuildProcess, CancelledUpgradeLeavesCurrentStatistics)
{
	ProcessLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	startBuild(rig, "Place1", "Hostel2", nullptr);
	EXPECT_EQ(rig.level->income, 0.0f) << "a hostel being built earns nothing";
	rig.level->updateProcesses(20);
	hostel->cancelWork();
	EXPECT_EQ(hostel->getRecord()->getName(), internStringId("Hostel1"));
	EXPECT_EQ(rig.level->income, 1000.0f);
	EXPECT_EQ(rig.level->guests, 10);
}

// Upgrading a hotel line to level 2 plays the star effect, which ends the process once played.
TEST(GBuildProcess, LevelStarEffectForAHotelAboveLevelOne)
{
	ProcessLevel rig;
	GBuildProcess* build = startBuild(rig, "Place1", "Hostel2", nullptr);
	ASSERT_TRUE(build->getStarEffect());
	EXPECT_FALSE(build->getStarEffect()->isVisible());
	EXPECT_GT(rig.runToEnd(build), 0);
	EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 1);
	EXPECT_EQ(rig.cargos()->findChild(internStringId("LevelStarEffect"), 0), nullptr);
}

// The side of approach follows the building's place on the screen; the helicopter leaves towards
// the nearest corner.
TEST(GBuildProcess, FlightDirectionByScreenCell)
{
	struct Case
	{
		float x, y; // the building's position
		const char* directions;
	};
	const Case cases[] = {
	    {700, 200, "RightUp"},   // target 804, 143: upper right
	    {100, 100, "LeftUp"},    // upper left
	    {100, 500, "LeftDown"},  // lower left
	    {700, 500, "RightDown"}, // lower right
	    {400, 100, "RightUp LeftUp"}, {400, 500, "RightDown LeftDown"},
	};
	for (const Case& c : cases)
	{
		for (int attempt = 0; attempt < 8; ++attempt)
		{
			ProcessLevel rig;
			GBuildingNode* place = rig.building("Place2");
			place->setPosition(irr::core::vector3df(c.x, c.y, 0));
			GBuildProcess* build = startBuild(rig, "Place2", "Hostel1", nullptr);
			EXPECT_NE(std::string(c.directions).find(build->getDirection().c_str()), std::string::npos)
			    << c.x << " " << c.y << " " << build->getDirection().c_str();
		}
	}
}

TEST(GBuildProcess, RotatePointAround)
{
	const irr::core::vector2df turned = rotatePointAround({1000, 0}, -30.0f, {0, 0});
	EXPECT_NEAR(turned.X, 866.03f, 0.05f);
	EXPECT_NEAR(turned.Y, -500.0f, 0.05f);
	const irr::core::vector2df aroundCentre = rotatePointAround({20, 10}, 90.0f, {10, 10});
	EXPECT_NEAR(aroundCentre.X, 10.0f, 1e-3f);
	EXPECT_NEAR(aroundCentre.Y, 20.0f, 1e-3f);
}

// The helicopter's "Mover" animators are refitted to the two 1000-pixel legs over the target, each
// flown at 300 pixels per second.
TEST(GBuildProcess, FlightLegsFittedToTheTarget)
{
	const auto flightState = [](const char* name)
	{
		return "<State Name=\"" + std::string(name) +
		       "\"><Animator Type=\"KeyFrame\" Name=\"Mover\"><Properties><vector3d Name=\"Position\" "
		       "Value=\"0;0;0\"/></Properties><KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"10\" i=\"0\" "
		       "Value0=\"0;0;0\"/></Animator></State>";
	};
	const std::string helicopter = "<SceneNode Type=\"GPathMovableNode\"><Properties>" +
	                               prop("string", "Name", "Helicopter") + "</Properties><States>" +
	                               flightState("MovingTo") + flightState("MovingFrom") + "</States>" +
	                               nodeXml("BaseNode", "Body") + "</SceneNode>";
	TemplateSet others;
	others.helicopter = false;
	ProcessLevel rig(others);
	rig.services.templates = templateCollection(processTemplates(others) + helicopter);
	GBuildingNode* place = rig.building("Place2");
	place->setPosition(irr::core::vector3df(700, 200, 0));
	GBuildProcess* build = startBuild(rig, "Place2", "Hostel1", nullptr);
	ASSERT_TRUE(build->getHelicopter());
	ASSERT_EQ(build->getDirection(), "RightUp");
	EXPECT_EQ(build->getHelicopter()->getScene(), rig.level.get()) << "its states run on the level's scheduler";
	const auto leg = [&](const char* state, unsigned key)
	{
		KeyFrame* mover =
		    asKeyFrame(build->getHelicopter()->findState(internStringId(state))->findAnimator(internStringId("Mover")));
		const irr::core::vector3df at = parseVector3d(mover->getKeyFrames()[key].values[0]->toString().c_str());
		return std::to_string(static_cast<int>(std::lround(at.X))) + " " +
		       std::to_string(static_cast<int>(std::lround(at.Y))) + " " + std::to_string(mover->getKeyFrames()[key].t);
	};
	// Target (804, 143); the leg (866, -500) points up and right.
	EXPECT_EQ(leg("MovingTo", 0), "-62 643 0");
	EXPECT_EQ(leg("MovingTo", 1), "804 143 3333");
	EXPECT_EQ(leg("MovingFrom", 0), "804 143 0");
	EXPECT_EQ(leg("MovingFrom", 1), "1670 -357 3333");
}

namespace
{
// A state whose one key-frame animator runs for ms (refitted later for the helicopter's "Mover").
std::string timedState(const char* state, int ms, const char* animator = "Fade")
{
	return "<State Name=\"" + std::string(state) + "\"><Animator Type=\"KeyFrame\" Name=\"" + animator +
	       "\"><Properties><vector3d Name=\"Position\" Value=\"0;0;0\"/></Properties><KeyFrame t=\"0\" "
	       "Value0=\"0;0;0\"/><KeyFrame t=\"" +
	       std::to_string(ms) + "\" i=\"0\" Value0=\"0;0;0\"/></Animator></State>";
}

std::string nodeWithStates(const char* type, const char* name, const std::string& states, const std::string& children)
{
	return std::string("<SceneNode Type=\"") + type + "\"><Properties>" + prop("string", "Name", name) +
	       "</Properties><States>" + states + "</States>" + children + "</SceneNode>";
}

// The level with vehicles and a site whose states take time, shown so that its tick runs; the place
// lies in the upper right, so the helicopter's legs are 1000 pixels.
struct AnimatedLevel : ProcessLevel
{
	AnimatedLevel() : ProcessLevel(withoutVehicles())
	{
		services.templates =
		    templateCollection(processTemplates(withoutVehicles()) +
		                       nodeWithStates("GPathMovableNode", "Helicopter",
		                                      timedState("MovingTo", 0, "Mover") + timedState("MovingFrom", 0, "Mover"),
		                                      nodeXml("BaseNode", "Body")) +
		                       nodeWithStates("GPathMovableNode", "Bus", timedState("MovingFrom", 300), "") +
		                       nodeWithStates("BaseNode", "Construction", "",
		                                      nodeWithStates("BaseNode", "Scaffold", timedState("PreBuild1", 400), "") +
		                                          nodeXml("ProgressBarNode", "ProgressBar")));
		building("Place2")->setPosition(irr::core::vector3df(700, 200, 0));
		enter();
	}
	static TemplateSet withoutVehicles()
	{
		TemplateSet set;
		set.helicopter = false;
		set.bus = false;
		set.site = false;
		set.clouds = false;
		return set;
	}
};
} // namespace

// The build as the level's tick drives it: the helicopter's legs, the bus's leaving state and the
// site's opening state all run on the level's scheduler, and their ends reach the process.
TEST(GBuildProcess, DrivenByTheLevelTickWithAnimatedStates)
{
	AnimatedLevel rig;
	SmartPointer<GLevelPath> path = busRoute();
	GBuildProcess* build = startBuild(rig, "Place2", "Hostel1", path.get());
	ASSERT_TRUE(build->getHelicopter() && build->getBus() && build->getSite());
	EXPECT_EQ(build->getHelicopterStep(), GBuildProcess::HelicopterFlyingIn);
	EXPECT_EQ(build->getSiteStep(), GBuildProcess::SitePreparing);

	int ms = 0;
	const auto until = [&](auto done)
	{
		const bool reached = rig.tickUntil(2000, done);
		ms = static_cast<int>(rig.level->elapsedTime);
		return reached;
	};
	ASSERT_TRUE(until([&] { return build->getSiteStep() >= GBuildProcess::SitePrepared; }));
	EXPECT_NEAR(ms, 400, 40) << "the site's opening state";
	ASSERT_TRUE(until([&] { return !build->getBus(); }));
	EXPECT_LE(ms, 2100) << "the bus leaves on its last stretch";
	ASSERT_TRUE(until([&] { return build->getHelicopterStep() >= GBuildProcess::HelicopterArrived; }));
	EXPECT_NEAR(ms, 3333, 40) << "a 1000-pixel leg at 300 pixels a second";
	ASSERT_TRUE(until([&] { return rig.ledger.count(EventTypeGEventWorkCompleted) == 1; }));
	// The unloading states take an update each before the work starts.
	EXPECT_GT(ms, 3333 + 3000);
	EXPECT_LT(ms, 3333 + 3000 + 200);
	ASSERT_TRUE(until([&] { return !rig.running(build); }));
	EXPECT_GT(ms, 3333 * 2) << "the process ends once the helicopter has flown off";
	EXPECT_LT(ms, 3333 * 2 + 200);
	EXPECT_EQ(rig.level->freeWorkers, 10);
	EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
}

// A cancel at any moment of the animated build: the empty place comes back, the stock is returned
// once, nothing is completed, and the process ends once its vehicles have gone.
TEST(GBuildProcess, CancelAtEveryMomentOfTheAnimatedBuild)
{
	for (int moment : {0, 200, 500, 1000, 2500, 3400, 3500, 5000, 6200})
	{
		AnimatedLevel rig;
		SCOPED_TRACE("after " + std::to_string(moment) + " ms");
		SmartPointer<GLevelPath> path = busRoute();
		GBuildingNode* place = rig.building("Place2");
		SmartPointer<GBuildProcess> build = shareRef(startBuild(rig, "Place2", "Hostel1", path.get()));
		rig.tickUntil(moment / 10, [] { return false; });
		place->cancelWork();
		EXPECT_EQ(place->getRecord()->getName(), internStringId("BuildingPlace"));
		EXPECT_EQ(place->findChild(internStringId("Construction"), 0), nullptr);
		EXPECT_EQ(rig.level->materials, 1000.0f);
		EXPECT_EQ(rig.level->freeWorkers, 10);
		EXPECT_TRUE(rig.tickUntil(1000, [&] { return !rig.running(build.get()); }));
		EXPECT_EQ(rig.ledger.count(EventTypeGEventResourcesReturned), 1);
		EXPECT_EQ(rig.ledger.count(EventTypeGEventWorkCompleted), 0);
		EXPECT_EQ(rig.cargos()->getChildren().size(), 0u);
	}
}
