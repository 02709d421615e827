#include "effects/GSpiralMovableNode.h"

#include "EffectTestSupport.h"
#include "scene/PropertyValue.h"

#include <cmath>
#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
GSpiralMovableNode* makeSpiral(EffectScene& scene, vector2df r, vector2df rVelocity, vector2df angle,
                               vector2df angleVelocity)
{
	auto* spiral = scene.add(new GSpiralMovableNode());
	spiral->setPropertyByName("RRange", makeVector2dValue(r));
	spiral->setPropertyByName("RVelocityRange", makeVector2dValue(rVelocity));
	spiral->setPropertyByName("AngleRange", makeVector2dValue(angle));
	spiral->setPropertyByName("AngleVelocityRange", makeVector2dValue(angleVelocity));
	spiral->setPropertyByName("RotVelocityRange", makeVector2dValue(vector2df(90, 90)));
	spiral->setPropertyByName("LifeTime", makeIntValue(5000));
	spiral->setPosition(vector3df(100.0f, 100.0f, 0.0f));
	return spiral;
}

float distanceFromCentre(const BaseNode* node)
{
	return vector2df(node->getPosition().X - 100.0f, node->getPosition().Y - 100.0f).getLength();
}
} // namespace

// No radius change: a circle; no angle change: a straight line outwards; both spin the node.
TEST(GSpiralMovableNode, CirclesAndLines)
{
	EffectScene scene;
	GSpiralMovableNode* circle = makeSpiral(scene, {30, 30}, {0, 0}, {0, 0}, {3.1416f, 3.1416f});
	GSpiralMovableNode* line = makeSpiral(scene, {10, 10}, {20, 20}, {1.5708f, 1.5708f}, {0, 0});
	scene.render();
	EXPECT_NEAR(circle->getPosition().X, 130.0f, 0.001f);
	circle->run(500);
	line->run(500);
	EXPECT_NEAR(distanceFromCentre(circle), 30.0f, 0.001f);
	EXPECT_NEAR(circle->getPosition().Y, 130.0f, 0.01f) << "a quarter turn in half a second";
	EXPECT_NEAR(line->getPosition().X, 100.0f, 0.01f);
	EXPECT_NEAR(line->getPosition().Y, 120.0f, 0.01f);
	EXPECT_NEAR(circle->getRotation().Z, 45.0f, 0.001f);
}

// A shrinking radius passes through 0 and comes out on the other side.
TEST(GSpiralMovableNode, ShrinkingRadiusCrossesTheCentre)
{
	EffectScene scene;
	GSpiralMovableNode* spiral = makeSpiral(scene, {10, 10}, {-20, -20}, {0, 0}, {0, 0});
	scene.render();
	spiral->run(1000);
	EXPECT_NEAR(spiral->getPosition().X, 90.0f, 0.01f);
}
