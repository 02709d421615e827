#include "effects/GPathMovableNode.h"

#include "core/Random.h"
#include "data/GLevelPath.h"
#include "scene/NodeEvents.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using irr::core::vector2df;

namespace
{
// A child that writes down every state it is asked for.
class StateLog : public BaseNode
{
public:
	void setState(StringId state, StateFallback, StringId) override { states.push_back(getStringById(state).c_str()); }
	std::string joined() const
	{
		std::string text;
		for (const std::string& s : states)
			text += (text.empty() ? "" : " ") + s;
		return text;
	}
	std::vector<std::string> states;
};

// A parent counting arrivals and keeping the last user data.
class ArrivalLog : public BaseNode
{
public:
	bool onStateFinished(CEventNodeStateFinished* event) override
	{
		++arrivals;
		lastData = event->stateName.id;
		sender = event->node;
		return true;
	}
	int arrivals = 0;
	int lastData = 0;
	BaseNode* sender = nullptr;
};

// A mover under an arrival-logging parent, with a state-logging child.
struct Rig
{
	Rig()
	{
		parent.reset(new ArrivalLog());
		mover = new GPathMovableNode(ContentRef(), parent.get());
		child = new StateLog();
		mover->addChild(child);
		child->drop();
		mover->drop();
	}
	vector2df at() const { return vector2df(mover->getPosition().X, mover->getPosition().Y); }

	SmartPointer<ArrivalLog> parent;
	GPathMovableNode* mover;
	StateLog* child;
};

irr::core::array<vector2df> path(std::initializer_list<vector2df> points)
{
	irr::core::array<vector2df> result;
	for (const vector2df& p : points)
		result.push_back(p);
	return result;
}
} // namespace

TEST(DirectionNames, EightAndTwentyFourSectors)
{
	struct Case
	{
		float degrees;
		const char* eight;
		const char* twentyFour;
	};
	const Case cases[] = {
	    {0, "Right", "Right"},
	    {14.9f, "Right", "RightRightRightUp"},
	    {20, "RightUp", "RightRightRightUp"},
	    {90, "Up", "Up"},
	    {100, "Up", "LeftUpUpUp"},
	    {180, "Left", "Left"},
	    {200, "LeftDown", "LeftLeftLeftDown"},
	    {270, "Down", "Down"},
	    {350, "Right", "RightRightRightDown"},
	};
	for (const Case& c : cases)
	{
		const float r = c.degrees * 3.14159265f / 180.0f;
		// Screen y grows downwards: up is negative y.
		const vector2df v(std::cos(r) * 100.0f, -std::sin(r) * 100.0f);
		EXPECT_EQ(getStringById(directionNameForVector(v)), c.eight) << c.degrees;
		EXPECT_EQ(getStringById(directionName24ForVector(v)), c.twentyFour) << c.degrees;
	}
	EXPECT_EQ(getStringById(directionNameForVector(vector2df(0, 0))), "Right");
	// Right and a hair down: the angle rounds to exactly 360, still right.
	EXPECT_EQ(getStringById(directionNameForVector(vector2df(1.0f, 1e-9f))), "Right");
	EXPECT_EQ(getStringById(directionName24ForVector(vector2df(1.0f, 1e-9f))), "Right");
}

TEST(GPathMovableNode, ArrivesExactlyOnTheEndAndTellsTheParentOnce)
{
	Rig rig;
	rig.mover->start(path({{0, 0}, {60, 0}}), 77, false, false);
	EXPECT_EQ(rig.child->joined(), "Start Right");
	EXPECT_EQ(rig.mover->getPosition().Z, 0.0f);

	rig.mover->updateMovement(599);
	EXPECT_EQ(rig.parent->arrivals, 0);
	EXPECT_TRUE(rig.mover->isMoving());
	rig.mover->updateMovement(1);
	EXPECT_EQ(rig.parent->arrivals, 1);
	EXPECT_EQ(rig.parent->lastData, 77);
	EXPECT_EQ(rig.parent->sender, rig.mover);
	EXPECT_EQ(rig.at(), vector2df(60, 0));
	EXPECT_EQ(rig.child->joined(), "Start Right Stop");

	rig.mover->updateMovement(1000);
	rig.mover->stop();
	EXPECT_EQ(rig.parent->arrivals, 1);
	EXPECT_EQ(rig.child->joined(), "Start Right Stop") << "no second Stop after arrival";
}

TEST(GPathMovableNode, OneLongUpdatePassesSeveralSegmentsAnnouncingEach)
{
	Rig rig;
	rig.mover->setSpeed(100);
	// Right 10, up 10 (exactly passed), left 50: 25 px in one update ends 5 px into the third segment.
	rig.mover->start(path({{0, 100}, {10, 100}, {10, 90}, {-40, 90}}), 1, false, false);
	rig.mover->updateMovement(250);
	EXPECT_EQ(rig.child->joined(), "Start Right Up Left");
	EXPECT_NEAR(rig.at().X, 5.0f, 1e-4);
	EXPECT_NEAR(rig.at().Y, 90.0f, 1e-4);
	EXPECT_FLOAT_EQ(rig.mover->getPosition().Z, 90.0f) << "depth follows y";
	EXPECT_EQ(rig.mover->getRemainingPointsCount(), 2u) << "on the last segment";
}

TEST(GPathMovableNode, ReverseLoopAndStop)
{
	Rig reverse;
	reverse.mover->start(path({{0, 0}, {30, 0}}), 5, true, false);
	EXPECT_EQ(reverse.at(), vector2df(30, 0));
	reverse.mover->updateMovement(300);
	EXPECT_EQ(reverse.at(), vector2df(0, 0));
	EXPECT_EQ(reverse.parent->arrivals, 1);

	Rig looping;
	looping.mover->start(path({{0, 0}, {10, 0}, {10, 10}}), 5, false, true);
	for (int i = 0; i < 50; ++i)
		looping.mover->updateMovement(70);
	EXPECT_EQ(looping.parent->arrivals, 0) << "a looping node never arrives";
	EXPECT_TRUE(looping.mover->isMoving());

	looping.mover->stop();
	const vector2df stoppedAt = looping.at();
	looping.mover->updateMovement(1000);
	EXPECT_EQ(looping.at(), stoppedAt);
	EXPECT_FALSE(looping.mover->isMoving());

	// A loop of no length cannot be travelled: the node arrives where it stands instead of spinning.
	Rig still;
	still.mover->start(path({{5, 5}, {5, 5}, {5, 5}}), 5, false, true);
	still.mover->updateMovement(70);
	EXPECT_EQ(still.parent->arrivals, 1);
	EXPECT_EQ(still.at(), vector2df(5, 5));
	EXPECT_FALSE(still.mover->isMoving());
}

TEST(GPathMovableNode, CloneStartsIdle)
{
	Rig rig;
	rig.mover->setSpeed(40);
	rig.mover->start(path({{0, 0}, {60, 0}}), 1, false, false);
	SmartPointer<BaseNode> copy(rig.mover->clone());
	auto* mover = nodeCast<GPathMovableNode>(copy.get());
	ASSERT_NE(mover, nullptr);
	EXPECT_FALSE(mover->isMoving());
	EXPECT_EQ(mover->getSpeed(), 100.0f);
}

TEST(RandomizePathPoint, MovesSidewaysWithinTheSpread)
{
	irr::core::array<GLevelPathPoint> points;
	points.push_back({0, 0, 10, 0});
	points.push_back({100, 0, 0, 0});
	Random::instance()->seed(7);
	for (int i = 0; i < 200; ++i)
	{
		const vector2df p = randomizePathPoint(points, 0);
		EXPECT_EQ(p.X, 0.0f);
		// Travel to the right: d1 moves up the screen (negative y), never down.
		EXPECT_LE(p.Y, 0.0f);
		EXPECT_GE(p.Y, -10.0f);
	}
	EXPECT_EQ(randomizePathPoint(points, 1), vector2df(100, 0));
}

TEST(GPathMovableNode, ShortPathsArriveAtOnce)
{
	for (size_t count : {0u, 1u})
	{
		Rig rig;
		irr::core::array<vector2df> points;
		if (count)
			points.push_back(vector2df(5, 6));
		rig.mover->start(points, 9, false, true);
		EXPECT_EQ(rig.parent->arrivals, 1) << count;
		EXPECT_EQ(rig.parent->lastData, 9);
		EXPECT_FALSE(rig.mover->isMoving());
		rig.mover->updateMovement(100);
		EXPECT_EQ(rig.parent->arrivals, 1);
	}
}

namespace
{
// A parent that lets go of the mover as soon as it arrives.
class Releaser : public BaseNode
{
public:
	bool onStateFinished(CEventNodeStateFinished* event) override
	{
		removeChild(event->node);
		return true;
	}
};
} // namespace

TEST(GPathMovableNode, ArrivalHandlerMayDestroyTheMover)
{
	SmartPointer<Releaser> parent(new Releaser());
	auto* mover = new GPathMovableNode(ContentRef(), parent.get());
	mover->drop();
	mover->start(path({{0, 0}, {10, 0}}), 1, false, false);
	mover->updateMovement(1000);
	EXPECT_TRUE(parent->getChildren().empty());
}
