#include "effects/GShieldEffectNode.h"

#include "EffectTestSupport.h"
#include "scene/PropertyValue.h"

#include <cmath>
#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
GShieldEffectNode* makeShield(EffectScene& scene, float power, int movingTime)
{
	auto* shield = scene.add(new GShieldEffectNode());
	shield->setPropertyByName("Area1Rect1Size", makeVector2dValue(vector2df(200, 100)));
	shield->setPropertyByName("Area1Rect2Size", makeVector2dValue(vector2df(200, 100)));
	shield->setPropertyByName("Area2RectSize", makeVector2dValue(vector2df(20, 20)));
	shield->setPropertyByName("VelocityPower", makeFloatValue(power));
	shield->setPropertyByName("MovingTime", makeIntValue(movingTime));
	shield->setPropertyByName("DisappearWaitTime", makeIntValue(100));
	shield->setPropertyByName("DisappearTime", makeIntValue(200));
	return shield;
}
} // namespace

// Equal ring rectangles put the start on their outline; the children "Run"; the flight eases by the
// power curve and ends on the target at the target's depth.
TEST(GShieldEffectNode, FliesFromTheRingToTheCentreAlongItsCurve)
{
	seedRandom(3);
	for (float power : {0.5f, 1.0f, 2.0f})
	{
		EffectScene scene;
		GShieldEffectNode* shield = makeShield(scene, power, 1000);
		StateLog* child = addStateLog(shield);
		scene.render();
		EXPECT_EQ(child->last(), "Run");
		const vector3df start = shield->getStart();
		EXPECT_TRUE(std::fabs(start.X) == 100.0f || std::fabs(start.Y) == 50.0f)
		    << start.X << " " << start.Y << " lies on the outline";
		EXPECT_EQ(shield->getPosition(), start);
		shield->run(500);
		const vector3df target = shield->getTarget();
		const float f = std::pow(0.5f, power);
		EXPECT_NEAR(shield->getPosition().X, start.X + f * (target.X - start.X), 0.001f) << power;
		EXPECT_NEAR(shield->getPosition().Z, shield->getPosition().X + shield->getPosition().Y + 100.0f, 0.001f);
		shield->run(500);
		EXPECT_EQ(shield->getPosition(), target);
		EXPECT_NEAR(target.Z, target.X + target.Y + 100.0f, 0.001f);
		EXPECT_EQ(shield->getPhase(), 2);
	}
}

// MovingTime 0: on the target at the first update; then wait, fade and detach.
TEST(GShieldEffectNode, WaitsFadesAndDetaches)
{
	EffectScene scene;
	GShieldEffectNode* shield = makeShield(scene, 1.0f, 0);
	SmartPointer<GShieldEffectNode> watch(shareRef(shield));
	scene.render();
	EXPECT_TRUE(shield->run(30));
	EXPECT_EQ(shield->getPosition(), shield->getTarget());
	EXPECT_TRUE(shield->run(100));
	EXPECT_EQ(shield->getPhase(), 3);
	EXPECT_TRUE(shield->run(100));
	EXPECT_EQ(shield->getTintColor().getAlpha(), 255u - 128u);
	EXPECT_FALSE(shield->run(100));
	EXPECT_EQ(shield->getParent(), nullptr);
	EXPECT_EQ(shield->getPhase(), 0);
}
