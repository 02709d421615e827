#include "effects/GShieldStarNode.h"

#include "EffectTestSupport.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
struct Range
{
	const char* name;
	vector2df value;
};

// A star with these ranges and life, placed at (100, 100).
GShieldStarNode* makeStar(std::initializer_list<Range> ranges, int lifeTime)
{
	auto* star = new GShieldStarNode();
	for (const Range& range : ranges)
		EXPECT_TRUE(star->setPropertyByName(range.name, makeVector2dValue(range.value))) << range.name;
	star->setPropertyByName("LifeTime", makeIntValue(lifeTime));
	star->setPosition(vector3df(100.0f, 100.0f, 0.0f));
	return star;
}
} // namespace

// With every range (0, 0) the star stays put and leaves its parent after its life; it starts on a
// render pass even when it is not Visible itself.
TEST(GShieldStarNode, StillStarLivesItsLifeAndLeaves)
{
	EffectScene scene;
	GShieldStarNode* star = scene.add(makeStar({}, 300));
	star->setVisible(false);
	SmartPointer<GShieldStarNode> watch(shareRef(star));
	scene.tick(5);
	EXPECT_FALSE(star->isStarted()) << "nothing happens before a render pass";
	scene.render();
	EXPECT_TRUE(star->isStarted());
	scene.tick(9);
	EXPECT_EQ(star->getParent(), scene.root.get());
	EXPECT_EQ(star->getPosition(), vector3df(100.0f, 100.0f, 0.0f));
	scene.tick(1); // 300 ms
	EXPECT_EQ(star->getParent(), nullptr);
	EXPECT_EQ(star->getScheduler(), nullptr);
	EXPECT_EQ(watch->getReferenceCount(), 1) << "only this test still holds the star";
}

// The last second fades the alpha and keeps the colour: LifeTime 500 gives 120 after the first step.
TEST(GShieldStarNode, FadesOverItsLastSecondKeepingTheColour)
{
	EffectScene scene;
	GShieldStarNode* star = scene.add(makeStar({}, 500));
	star->setTintColor(irr::video::SColor(255, 10, 20, 30));
	scene.render();
	scene.tick(1);
	EXPECT_EQ(star->getTintColor(), irr::video::SColor(120, 10, 20, 30));
	scene.tick(14); // 450 ms: 50 left
	EXPECT_EQ(star->getTintColor().getAlpha(), 13u);
}

// Flight along the drawn angle, with acceleration only inside its window.
TEST(GShieldStarNode, AcceleratesOnlyInsideItsWindows)
{
	struct Case
	{
		const char* story;
		vector2df accel1Start, accel1End;
		float expectedSpeed;
	};
	const Case cases[] = {
	    {"window from 0 to 300 ms, ends open: nine steps of 30 ms", {0, 0}, {300, 300}, 100.0f + 9 * 0.03f * 100.0f},
	    {"a window starting after it ends never accelerates", {300, 300}, {0, 0}, 100.0f},
	    {"a window beyond the life never accelerates", {5000, 5000}, {6000, 6000}, 100.0f},
	};
	for (const Case& c : cases)
	{
		EffectScene scene;
		GShieldStarNode* star = scene.add(makeStar({{"VelocityAngleRange", {90, 90}},
		                                            {"VelocityRange", {100, 100}},
		                                            {"Accel1Range", {100, 100}},
		                                            {"Accel1StartTimeRange", c.accel1Start},
		                                            {"Accel1EndTimeRange", c.accel1End}},
		                                           2000));
		scene.render();
		scene.tick(15);
		EXPECT_NEAR(star->getSpeed(), c.expectedSpeed, 0.01f) << c.story;
		EXPECT_NEAR(star->getPosition().X, 100.0f, 0.001f) << c.story;
		EXPECT_GT(star->getPosition().Y, 100.0f) << c.story << ": 90 degrees is down the screen";
	}
}

// The random values are drawn once: a star that meets no scene keeps them, and starts running when
// it reaches one.
TEST(GShieldStarNode, WithoutASceneItIsNotStartedAgainOnEveryPass)
{
	SmartPointer<GShieldStarNode> star(makeStar({{"VelocityRange", {0, 1000}}}, 2000));
	renderAlone(star.get());
	const float first = star->getSpeed();
	for (int i = 0; i < 5; ++i)
		renderAlone(star.get());
	EXPECT_EQ(star->getSpeed(), first);
	EXPECT_EQ(star->getScheduler(), nullptr);

	EffectScene scene;
	scene.root->addChild(star.get());
	scene.render();
	EXPECT_EQ(star->getSpeed(), first);
	EXPECT_EQ(star->getScheduler(), scene.scheduler.get());
}

// Ranges written the wrong way round still give values between their ends, integer ones too.
TEST(GShieldStarNode, ReversedRangesGiveValuesInsideThem)
{
	seedRandom(11);
	for (int i = 0; i < 200; ++i)
	{
		EffectScene scene;
		GShieldStarNode* star = scene.add(makeStar({{"VelocityRange", {50, 10}},
		                                            {"Accel1Range", {500, 500}},
		                                            {"Accel1StartTimeRange", {0, 0}},
		                                            {"Accel1EndTimeRange", {200, 100}}},
		                                           1000));
		scene.render();
		const float start = star->getSpeed();
		ASSERT_GE(start, 10.0f);
		ASSERT_LE(start, 50.0f);
		// The window closes 100 to 200 ms after the start: between 3 and 7 steps of acceleration.
		scene.tick(10);
		const float gained = star->getSpeed() - start;
		ASSERT_GE(gained, 3 * 15.0f - 0.01f);
		ASSERT_LE(gained, 7 * 15.0f + 0.01f);
	}
}

// Properties: written only when set, read back the same, copied to a clone without the running state.
TEST(GShieldStarNode, PropertiesRoundTripAndClone)
{
	SmartPointer<GShieldStarNode> star(makeStar({{"AngleRange", {1, 2}}, {"AngularVelocityRange", {-3, 4}}}, 700));
	CPropertyCollection written;
	star->writeProperties(written);
	EXPECT_GE(written.indexOf("AngleRange"), 0);
	EXPECT_LT(written.indexOf("VelocityRange"), 0) << "(0, 0) is not written";
	EXPECT_EQ(written.getInt("LifeTime"), 700);

	SmartPointer<GShieldStarNode> read(new GShieldStarNode());
	read->readProperties(written);
	EXPECT_EQ(propertyAsVector2d(read->getPropertyByName("AngularVelocityRange").get()), vector2df(-3, 4));

	renderAlone(star.get());
	SmartPointer<BaseNode> copy(star->clone());
	auto* clone = static_cast<GShieldStarNode*>(copy.get());
	EXPECT_FALSE(clone->isStarted());
	EXPECT_EQ(propertyAsInt(clone->getPropertyByName("LifeTime").get()), 700);
	EXPECT_EQ(propertyAsVector2d(clone->getPropertyByName("AngleRange").get()), vector2df(1, 2));
}
