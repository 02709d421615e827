#include "EffectTestSupport.h"
#include "data/GameNodeTypeIds.h"
#include "effects/GBirdNode.h"
#include "effects/GCarNode.h"
#include "effects/GPedestrianNode.h"
#include "effects/GTextTrailNode.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
using LevelScene = PathsScene<NodeTypeGGameLevelScene>;

irr::core::array<vector2df> road(std::initializer_list<vector2df> points)
{
	irr::core::array<vector2df> result;
	for (const vector2df& p : points)
		result.push_back(p);
	return result;
}

// The level scene stand-in, three generations above the movers, inside the effect scene.
struct LevelRig
{
	explicit LevelRig(const std::string& footpaths)
	{
		level = scene.add(new LevelScene(pathsOf("", footpaths).get()));
		holder = level->holderAtDepth(3);
	}
	template <class T> T* addMover(T* mover)
	{
		holder->addChild(mover);
		mover->drop();
		return mover;
	}

	EffectScene scene;
	LevelScene* level;
	BaseNode* holder;
};
} // namespace

// A bird crosses between two different edges and leaves at the far one; the movers drive themselves
// at their own task periods.
TEST(LevelMovers, BirdsCrossBetweenTwoDifferentEdgesAndLeave)
{
	seedRandom(21);
	for (int i = 0; i < 40; ++i)
	{
		EffectScene scene;
		auto* bird = new GBirdNode();
		addStateLog(bird, "Body");
		bird->onLoaded();
		scene.add(bird);
		SmartPointer<GBirdNode> watch(shareRef(bird));
		scene.render();
		ASSERT_TRUE(bird->isMoving());
		ASSERT_EQ(bird->period, 30u);
		const vector2df from(bird->getPosition().X, bird->getPosition().Y);
		const bool top = from.Y == 0.0f, right = from.X == 1024.0f, bottom = from.Y == 680.0f, left = from.X == -20.0f;
		ASSERT_TRUE(top || right || bottom || left);
		ASSERT_GE(bird->getSpeed(), 25.0f);
		ASSERT_LE(bird->getSpeed(), 35.0f);
		// The whole screen is crossed in at most about 60 s at 25 px/s.
		scene.tick(2000);
		ASSERT_EQ(watch->getReferenceCount(), 1) << "left the scene";
	}
}

// A car removes itself at the end of its road unless it was parked there.
TEST(LevelMovers, CarsLeaveAtTheEndOfTheirRoadUnlessParked)
{
	EffectScene scene;
	auto* leaving = scene.add(new GCarNode());
	auto* parked = scene.add(new GCarNode());
	parked->setRemovedAtEnd(false);
	EXPECT_EQ(leaving->period, 10u);
	scene.render();
	leaving->start(road({{0, 0}, {50, 0}}), -1, false, false);
	parked->start(road({{0, 0}, {50, 0}}), -1, false, false);
	scene.tick(100, 10); // 1000 ms at 100 px/s
	EXPECT_EQ(scene.root->getChildren().size(), 1u);
	EXPECT_EQ(scene.root->getChildren()[0], parked);
}

// A footpath without b is walked from its first point to its last.
TEST(LevelMovers, PedestrianWalksAFootpathInItsOwnOrder)
{
	seedRandom(4);
	for (int i = 0; i < 10; ++i)
	{
		LevelRig rig("<Path><p p=\"100;100\"/><p p=\"300;100\"/></Path>\n");
		auto* walker = rig.addMover(new GPedestrianNode());
		rig.scene.render();
		ASSERT_EQ(walker->getWalkState(), 1);
		ASSERT_EQ(walker->getPosition().X, 100.0f);
		ASSERT_GE(walker->getSpeed(), 10.0f);
		ASSERT_LT(walker->getSpeed(), 20.0f);
		ASSERT_GE(walker->getStateTimer(), 10000);
	}
}

// Outside a level a pedestrian never moves.
TEST(LevelMovers, PedestrianOutsideALevelStays)
{
	EffectScene scene;
	auto* walker = scene.add(new GPedestrianNode());
	walker->setPosition(vector3df(5, 6, 6));
	scene.render();
	scene.tick(100);
	EXPECT_EQ(walker->getWalkState(), 0);
	EXPECT_EQ(walker->getPosition(), vector3df(5, 6, 6));
	EXPECT_EQ(walker->getParent(), scene.root.get());
}

// Walking and standing alternate; standing, the pedestrian turns at its first update and then every
// 1 to 3 seconds, and walks on in its old direction afterwards.
TEST(LevelMovers, PedestrianStopsToLookAround)
{
	seedRandom(9);
	LevelRig rig("<Path><p p=\"0;100\"/><p p=\"10000;100\"/></Path>\n");
	auto* walker = new GPedestrianNode();
	StateLog* body = addStateLog(walker, "Body");
	walker->onLoaded();
	rig.addMover(walker);
	rig.scene.render();
	int walked = 0;
	while (walker->getWalkState() == 1 && walked < 40000)
	{
		walker->run(30);
		walked += 30;
	}
	ASSERT_EQ(walker->getWalkState(), 2);
	EXPECT_GE(walked, 10000);
	const size_t before = body->states.size();
	walker->run(30);
	EXPECT_EQ(body->states.size(), before + 1) << "turns at its first standing update";
	int stood = 30;
	while (walker->getWalkState() == 2)
	{
		walker->run(30);
		stood += 30;
	}
	EXPECT_GE(stood, 4000);
	EXPECT_LE(stood, 6030);
	EXPECT_GE(body->states.size(), before + 2);
	EXPECT_EQ(walker->getWalkState(), 1);
}

// A trail flies to its target above the scene, dies there and leaves 2 s later, drawn or not.
TEST(LevelMovers, TextTrailThatIsNeverDrawnStillEnds)
{
	EffectScene scene;
	auto* hidden = new BaseNode();
	hidden->setVisible(false);
	scene.add(hidden);
	auto* trail = new GTextTrailNode();
	StateLog* text = addStateLog(trail, "Text");
	hidden->addChild(trail);
	trail->drop();
	SmartPointer<GTextTrailNode> watch(shareRef(trail));
	trail->start(road({{0, 0}, {100, 0}}), -1, false, false);
	scene.render();
	EXPECT_FALSE(trail->isPlanned()) << "never drawn";
	scene.tick(100, 10);
	EXPECT_EQ(trail->getPosition().Z, 3000.0f);
	EXPECT_EQ(text->last(), "Die");
	EXPECT_EQ(trail->getDieTimer(), 2000);
	scene.tick(200, 10);
	EXPECT_EQ(watch->getParent(), nullptr);
	EXPECT_EQ(watch->getReferenceCount(), 1);
}
