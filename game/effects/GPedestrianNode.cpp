#include "GPedestrianNode.h"

#include "EffectSupport.h"
#include "ILevelPathsSource.h"
#include "core/Random.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "nodes/RandomRange.h"

using namespace irr;

namespace
{
StringId bodyName()
{
	static const StringId id = internStringId("Body");
	return id;
}

StringId lookName(u32 index)
{
	static const char* const names[8] = {"Right", "RightUp", "Up", "LeftUp", "Left", "LeftDown", "Down", "RightDown"};
	return internStringId(names[index & 7u]);
}
} // namespace

GPedestrianNode::GPedestrianNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GSelfDrivenMover(reference, parentNode, manager, 30)
{
}

const core::stringw& GPedestrianNode::typeNameText()
{
	static const core::stringw name(L"GPedestrianNode");
	return name;
}

void GPedestrianNode::onLoaded()
{
	body.share(findChild(bodyName(), 1));
}

void GPedestrianNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GPathMovableNode::copyFrom(source, manager);
	if (const GPedestrianNode* other = nodeCast<GPedestrianNode>(source))
	{
		walkTimeRange = other->walkTimeRange;
		standTimeRange = other->standTimeRange;
		turnIntervalRange = other->turnIntervalRange;
	}
}

void GPedestrianNode::onFirstRender()
{
	GLevelPaths* paths = levelPathsOfAncestor(this, 3, NodeTypeGGameLevelScene);
	GLevelPath* path = paths ? paths->getRandomPedestrianPath() : nullptr;
	if (path)
		walk(*path);
}

void GPedestrianNode::walk(const GLevelPath& path)
{
	const core::array<GLevelPathPoint>& points = path.getPoints();
	if (points.size() < 2)
		return;
	setSpeed(Random::instance()->nextFloatInRange(10.0f, 20.0f));
	const bool reversed = path.isBothWays() && (Random::instance()->nextUInt() & 1u) == 0;
	core::array<core::vector2df> route;
	route.reallocate(points.size());
	for (u32 i = 0; i < points.size(); ++i)
		route.push_back(randomizePathPoint(points, reversed ? points.size() - 1 - i : i));
	start(route, -1, false, false);
	walkState = 1;
	stateTimer = truncateToInt(randomInEffectRange(walkTimeRange));
}

bool GPedestrianNode::updateMover(unsigned ms)
{
	stateTimer -= static_cast<int>(ms);
	if (walkState == 1)
	{
		if (stateTimer > 0)
		{
			updateMovement(ms);
			if (!isMoving())
			{
				leaveParent(body.get());
				return false;
			}
		}
		else
		{
			walkState = 2;
			stateTimer = truncateToInt(randomInEffectRange(standTimeRange));
			turnTimer = 0;
		}
	}
	else if (walkState == 2)
	{
		if (stateTimer > 0)
		{
			turnTimer -= static_cast<int>(ms);
			if (turnTimer < 0)
			{
				turnTimer = truncateToInt(randomInEffectRange(turnIntervalRange));
				const StringId look = lookName(Random::instance()->nextUInt() & 7u);
				// A standing pose facing that way.
				if (body)
				{
					body->setState(look, nullptr, StringId());
					body->stopAllStates(false);
				}
			}
		}
		else
		{
			walkState = 1;
			stateTimer = truncateToInt(randomInEffectRange(walkTimeRange));
			// The walking direction comes back.
			if (isMoving())
				onDirectionChanged(getCurrentSegment());
		}
	}
	return true;
}
