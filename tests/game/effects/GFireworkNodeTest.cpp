#include "effects/GFireworkNode.h"

#include "EffectTestSupport.h"
#include "scene/AnimatorSet.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
GFireworkNode* makeRocket(vector2df moveTime)
{
	auto* rocket = new GFireworkNode();
	rocket->setPropertyByName("VelocityYRange", makeVector2dValue(vector2df(-600, -600)));
	rocket->setPropertyByName("Acceleration", makeVector2dValue(vector2df(0, 300)));
	rocket->setPropertyByName("MoveTimeRange", makeVector2dValue(moveTime));
	rocket->setPosition(vector3df(500.0f, 700.0f, 0.0f));
	return rocket;
}
} // namespace

// The rocket jumps 2000 forward once, rises, slows under its acceleration and after its flight puts
// its children into "Boost".
TEST(GFireworkNode, FliesThenBursts)
{
	EffectScene scene;
	GFireworkNode* rocket = scene.add(makeRocket({3000, 3000}));
	StateLog* child = addStateLog(rocket);
	scene.render();
	EXPECT_EQ(child->last(), "Up");
	EXPECT_EQ(rocket->getPosition().Z, 2000.0f);
	EXPECT_NEAR(rocket->getPosition().X, 500.0f, 10.0f);
	EXPECT_NEAR(rocket->getPosition().Y, 700.0f, 5.0f);
	for (int i = 0; i < 4; ++i)
		rocket->run(500);
	EXPECT_NEAR(rocket->getVelocity().Y, 0.0f, 0.001f) << "at the top after 2 s";
	EXPECT_LT(rocket->getPosition().Y, 700.0f);
	scene.render();
	EXPECT_EQ(rocket->getPosition().Z, 2000.0f) << "the jump is made once";
	EXPECT_TRUE(rocket->run(999));
	EXPECT_FALSE(rocket->run(2));
	EXPECT_EQ(child->last(), "Boost");
	EXPECT_LT(rocket->getMoveTime(), 0);
}

// MoveTimeRange (0, 0): the first update ends the flight, and a rocket without children is gone at once.
TEST(GFireworkNode, ChildlessRocketLeavesAfterItsFlight)
{
	EffectScene scene;
	GFireworkNode* rocket = scene.add(makeRocket({0, 0}));
	SmartPointer<GFireworkNode> watch(shareRef(rocket));
	scene.render();
	scene.tick(1);
	EXPECT_EQ(watch->getParent(), nullptr);
	EXPECT_EQ(watch->getScheduler(), nullptr);
}

// A rocket that meets no scene is placed once, not again on every pass.
TEST(GFireworkNode, WithoutASceneItIsNotRestartedOnEveryPass)
{
	SmartPointer<GFireworkNode> rocket(makeRocket({1000, 1000}));
	for (int i = 0; i < 3; ++i)
		renderAlone(rocket.get());
	EXPECT_EQ(rocket->getPosition().Z, 2000.0f);
	EXPECT_EQ(rocket->getMoveTime(), 1000);
}
