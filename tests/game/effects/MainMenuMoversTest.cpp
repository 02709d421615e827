#include "EffectTestSupport.h"
#include "core/CPropertyCollection.h"
#include "data/GameNodeTypeIds.h"
#include "effects/GMainMenuBikeNode.h"
#include "effects/GMainMenuCarNode.h"
#include "effects/GMainMenuCloudNode.h"
#include "effects/GMainMenuPedestrianNode.h"
#include "scene/PropertyValue.h"

#include <cmath>
#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
using MenuScene = PathsScene<NodeTypeGMainMenuScene>;

// The main menu stand-in with its background paths, movers put at the depth their class expects.
struct MenuRig
{
	MenuRig(const std::string& cars, const std::string& pedestrians)
	{
		menu = scene.add(new MenuScene(pathsOf(cars, pedestrians).get()));
	}
	template <class T> T* addMover(T* mover, int depth = 5)
	{
		menu->holderAtDepth(depth)->addChild(mover);
		mover->drop();
		return mover;
	}

	EffectScene scene;
	MenuScene* menu;
};

const char* const longRoad = "<Path ID=\"Path\"><p p=\"0;900\"/><p p=\"0;-5000\"/></Path>\n"
                             "<Path ID=\"Bike\"><p p=\"0;720\"/><p p=\"100000;720\"/></Path>\n";
} // namespace

// The first four menu cars of the program begin part-way along their road; the fifth at its start.
TEST(MainMenuMovers, OnlyTheFirstFourCarsGetAHeadStart)
{
	seedRandom(2);
	while (GMainMenuCarNode::headStartsGiven() < 4)
	{
		MenuRig rig(longRoad, "");
		auto* car = rig.addMover(new GMainMenuCarNode());
		rig.scene.render();
		ASSERT_LT(car->getPosition().Y, 900.0f - 99.0f) << "a head start of 1 to 8 s at 100 px/s";
	}
	MenuRig rig(longRoad, "");
	auto* fifth = rig.addMover(new GMainMenuCarNode());
	rig.scene.render();
	EXPECT_EQ(fifth->getPosition().Y, 900.0f);
	EXPECT_EQ(GMainMenuCarNode::headStartsGiven(), 4);
}

// A car at y 718 is half size, at base speed x 0.5^1.6, showing its size digit 3; outside the menu
// a mover never starts and stays.
TEST(MainMenuMovers, CarsSizeThemselvesByTheirHeight)
{
	MenuRig rig("<Path ID=\"Path\"><p p=\"0;718\"/><p p=\"0;800\"/></Path>\n", "");
	while (GMainMenuCarNode::headStartsGiven() < 4)
		GMainMenuCarNode().startOn(rig.menu->getLevelPaths());
	auto* car = new GMainMenuCarNode();
	StateLog* child = addStateLog(car);
	rig.addMover(car);
	rig.scene.render();
	EXPECT_EQ(car->getScale(), vector3df(0.5f, 0.5f, 1.0f));
	EXPECT_NEAR(car->getSpeed(), std::pow(0.5f, 1.6f) * car->getBaseSpeed(), 0.0001f);
	EXPECT_EQ(child->last(), "Down3");

	auto* stray = rig.addMover(new GMainMenuCarNode(), 3);
	stray->setPosition(vector3df(1, 2, 3));
	rig.scene.render();
	rig.scene.tick(10);
	EXPECT_FALSE(stray->isMoving());
	EXPECT_EQ(stray->getPosition(), vector3df(1, 2, 3));
}

// A pedestrian at the horizon or above it is of size 0 and walks at 1 px/s.
TEST(MainMenuMovers, PedestriansAtTheHorizonAreTiny)
{
	MenuRig rig("", "<Path><p p=\"0;600\"/><p p=\"0;100\"/></Path>\n");
	auto* walker = rig.addMover(new GMainMenuPedestrianNode());
	rig.scene.render();
	walker->run(30);
	EXPECT_EQ(walker->getScale().X, 0.0f);
	EXPECT_EQ(walker->getSpeed(), 1.0f);
}

// Slope factor: 0.5 straight down, 1 at 45 degrees down and right, 1 on flat ground.
TEST(MainMenuMovers, BicycleSlopeFactor)
{
	struct Case
	{
		vector2df segment;
		float factor;
	};
	const Case cases[] = {{{0, 10}, 0.5f}, {{10, 10}, 1.0f}, {{10, 0}, 1.0f}, {{-10, 10}, 1.0f}, {{1, 4}, 0.5f}};
	for (const Case& c : cases)
	{
		SmartPointer<GMainMenuBikeNode> bike(new GMainMenuBikeNode());
		bike->onDirectionChanged(c.segment);
		EXPECT_NEAR(bike->getSlopeFactor(), c.factor, 0.0001f) << c.segment.X << " " << c.segment.Y;
	}
}

// After a 90 degree corner the picture turns in nine steps of 10 degrees, then takes the new way exactly.
TEST(MainMenuMovers, BicycleLeansIntoItsTurns)
{
	MenuRig rig(longRoad, "");
	auto* bike = rig.addMover(new GMainMenuBikeNode(), 4);
	rig.scene.render();
	ASSERT_TRUE(bike->isMoving());
	bike->onDirectionChanged(vector2df(0, 1));
	for (int step = 1; step <= 9; ++step)
	{
		bike->run(30);
		EXPECT_NEAR(bike->getShownDirection().getAngleTrig(), 10.0 * step, 0.01) << step;
	}
	bike->run(30);
	EXPECT_EQ(bike->getShownDirection().X, 0.0f);
	EXPECT_EQ(bike->getShownDirection().Y, 1.0f);
}

// Clouds drift faster the higher they start and leave at the end of their route.
TEST(MainMenuMovers, CloudsDriftAndLeave)
{
	MenuRig rig("<Path ID=\"Clouds\"><p p=\"0;90\"/><p p=\"10;90\"/></Path>\n", "");
	auto* cloud = rig.addMover(new GMainMenuCloudNode());
	SmartPointer<GMainMenuCloudNode> watch(shareRef(cloud));
	rig.scene.render();
	EXPECT_FLOAT_EQ(cloud->getBaseSpeed(), 5.0f * 4.0f) << "(450 - 90) / 120 + 1 = 4";
	rig.scene.tick(100);
	EXPECT_EQ(watch->getParent(), nullptr);
}

// "InitialVelocityRange" goes with the scene file and with copies; clouds do not offer it by name.
TEST(MainMenuMovers, SpeedRangeIsReadWrittenAndCopied)
{
	CPropertyCollection file;
	file.addVector2d("InitialVelocityRange", vector2df(7, 9));
	SmartPointer<GMainMenuCloudNode> cloud(new GMainMenuCloudNode());
	cloud->readProperties(file);
	EXPECT_EQ(cloud->getInitialVelocityRange(), vector2df(7, 9));
	EXPECT_FALSE(cloud->setPropertyByName("InitialVelocityRange", makeVector2dValue(vector2df(1, 1))));
	SmartPointer<BaseNode> copy(cloud->clone());
	EXPECT_EQ(static_cast<GMainMenuCloudNode*>(copy.get())->getInitialVelocityRange(), vector2df(7, 9));

	SmartPointer<GMainMenuCarNode> car(new GMainMenuCarNode());
	EXPECT_EQ(car->getInitialVelocityRange(), vector2df(80, 82));
	EXPECT_TRUE(car->setPropertyByName("InitialVelocityRange", makeVector2dValue(vector2df(60, 70))));
	CPropertyCollection written;
	car->writeProperties(written);
	EXPECT_EQ(propertyAsVector2d(written.get("InitialVelocityRange").get()), vector2df(60, 70));
}
