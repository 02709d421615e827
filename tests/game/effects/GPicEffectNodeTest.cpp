#include "effects/GPicEffectNode.h"

#include "EffectTestSupport.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

// AnimTime 1000 and width 20: left at a quarter swing, back at half, right at three quarters; the back
// half of the swing lies 0.1 deeper and the depth follows the height.
TEST(GPicEffectNode, SwingsAroundItsCentreAndPassesBehind)
{
	EffectScene scene;
	auto* picture = scene.add(new GPicEffectNode());
	picture->setPropertyByName("WidthRange", makeVector2dValue(vector2df(20, 20)));
	picture->setPropertyByName("LifeTime", makeIntValue(10000));
	picture->setPosition(vector3df(300.0f, 400.0f, 7.0f));
	scene.render();
	struct Step
	{
		unsigned ms;
		float x;
		float z;
	};
	const Step steps[] = {
	    {250, 280.0f, 400.0f * 0.00001f},
	    {250, 300.0f, 400.0f * 0.00001f - 0.1f},
	    {250, 320.0f, 400.0f * 0.00001f},
	    {250, 300.0f, 400.0f * 0.00001f},
	};
	for (const Step& step : steps)
	{
		picture->run(step.ms);
		EXPECT_NEAR(picture->getPosition().X, step.x, 0.01f);
		EXPECT_NEAR(picture->getPosition().Z, step.z, 0.00001f);
	}
}

// AnimTime 0 or below: straight vertical motion at the start depth, then the end of its life.
TEST(GPicEffectNode, WithoutASwingItMovesStraightAndLeaves)
{
	EffectScene scene;
	auto* picture = scene.add(new GPicEffectNode());
	picture->setPropertyByName("AnimTime", makeIntValue(0));
	picture->setPropertyByName("YVelocityRange", makeVector2dValue(vector2df(-100, -100)));
	picture->setPropertyByName("LifeTime", makeIntValue(1000));
	picture->setPosition(vector3df(300.0f, 400.0f, 7.0f));
	scene.render();
	picture->run(500);
	EXPECT_EQ(picture->getPosition(), vector3df(300.0f, 350.0f, 7.0f));
	EXPECT_EQ(picture->getTintColor().getAlpha(), 128u);
	EXPECT_FALSE(picture->run(500));
	EXPECT_EQ(picture->getParent(), nullptr);
}
