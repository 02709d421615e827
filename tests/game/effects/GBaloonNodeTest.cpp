#include "effects/GBaloonNode.h"

#include "EffectTestSupport.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
GBaloonNode* makeBalloon(vector2df width, vector2df xVelocity, vector2df yVelocity, vector2df yAccel,
                         vector2df yAccelTime, int lifeTime)
{
	auto* balloon = new GBaloonNode();
	balloon->setPropertyByName("WidthRange", makeVector2dValue(width));
	balloon->setPropertyByName("XVelocityRange", makeVector2dValue(xVelocity));
	balloon->setPropertyByName("YVelocityRange", makeVector2dValue(yVelocity));
	balloon->setPropertyByName("YAccelRange", makeVector2dValue(yAccel));
	balloon->setPropertyByName("YAccelTimeRange", makeVector2dValue(yAccelTime));
	balloon->setPropertyByName("LifeTime", makeIntValue(lifeTime));
	balloon->setPosition(vector3df(500.0f, 600.0f, 0.0f));
	return balloon;
}
} // namespace

// Width 0: the sideways speed turns on every step, so the balloon trembles in place.
TEST(GBaloonNode, ZeroWidthTremblesInPlace)
{
	EffectScene scene;
	GBaloonNode* balloon = scene.add(makeBalloon({0, 0}, {100, 100}, {0, 0}, {0, 0}, {0, 0}, 5000));
	scene.render();
	const float first = balloon->getXVelocity();
	scene.tick(1);
	EXPECT_EQ(balloon->getXVelocity(), -first);
	EXPECT_NEAR(balloon->getPosition().X, 500.0f - first * 0.03f, 0.001f);
	scene.tick(1);
	EXPECT_EQ(balloon->getXVelocity(), first);
	EXPECT_NEAR(balloon->getPosition().X, 500.0f, 0.001f);
}

// The climb speed changes only inside the early window; (0, 0) means no window at all.
TEST(GBaloonNode, AcceleratesOnlyInTheEarlyWindow)
{
	struct Case
	{
		const char* story;
		vector2df window;
		float expectedVy;
	};
	const Case cases[] = {
	    {"no window", {0, 0}, -10.0f},
	    {"a 90 ms window: steps at 30 and 60 ms (the test is strict)", {90, 90}, -10.0f - 2 * 0.03f * 100.0f},
	    {"a reversed window (200, 100) stays between its ends: 3 to 6 steps", {200, 100}, 0.0f},
	};
	for (const Case& c : cases)
	{
		EffectScene scene;
		GBaloonNode* balloon = scene.add(makeBalloon({50, 50}, {0, 0}, {-10, -10}, {-100, -100}, c.window, 5000));
		scene.render();
		scene.tick(10);
		if (c.expectedVy != 0.0f)
			EXPECT_NEAR(balloon->getYVelocity(), c.expectedVy, 0.001f) << c.story;
		else
		{
			EXPECT_LE(balloon->getYVelocity(), -10.0f - 3 * 3.0f + 0.001f) << c.story;
			EXPECT_GE(balloon->getYVelocity(), -10.0f - 6 * 3.0f - 0.001f) << c.story;
		}
	}
}

// The depth falls as life runs out, so the younger of two overlapping balloons draws in front; at the
// end the balloon leaves its parent, at once with LifeTime 0.
TEST(GBaloonNode, YoungerBalloonsAreInFrontAndOldOnesLeave)
{
	EffectScene scene;
	GBaloonNode* older = scene.add(makeBalloon({0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 3000));
	scene.render();
	scene.tick(10);
	GBaloonNode* younger = scene.add(makeBalloon({0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 3000));
	GBaloonNode* stillborn = scene.add(makeBalloon({0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 0));
	scene.render();
	scene.tick(1);
	EXPECT_GT(younger->getPosition().Z, older->getPosition().Z);
	EXPECT_EQ(scene.root->getChildren().size(), 2u) << "LifeTime 0 leaves at the first update";
	(void)stillborn;
	scene.tick(100);
	EXPECT_TRUE(scene.root->getChildren().empty());
}
