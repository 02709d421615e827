#include "GMainMenuPedestrianNode.h"

#include "core/Random.h"
#include "data/GLevelPaths.h"

#include <algorithm>

using namespace irr;

namespace
{
int pedestrianHeadStarts = 0;
}

GMainMenuPedestrianNode::GMainMenuPedestrianNode(const ContentRef& reference, BaseNode* parentNode,
                                                 INodeEventQueue* manager)
    : GMainMenuMover(reference, parentNode, manager, core::vector2df(2.0f, 3.0f))
{
}

const core::stringw& GMainMenuPedestrianNode::typeNameText()
{
	static const core::stringw name(L"GMainMenuPedestrianNode");
	return name;
}

int GMainMenuPedestrianNode::headStartsGiven()
{
	return pedestrianHeadStarts;
}

GLevelPath* GMainMenuPedestrianNode::pickPath(GLevelPaths* paths) const
{
	return paths->getRandomPedestrianPath();
}

void GMainMenuPedestrianNode::startRoute(const core::array<core::vector2df>& points)
{
	start(points, -1, false, false);
	setSpeed(3.0f);
	if (pedestrianHeadStarts < 24)
	{
		updateMovement(Random::instance()->nextIntInRange(20000, 50000));
		++pedestrianHeadStarts;
	}
	depthStep();
}

void GMainMenuPedestrianNode::onDirectionChanged(const core::vector2df& direction)
{
	directionName = internStringId(direction.Y < 0.0f ? "Up" : "Down");
	setChildrenState(directionName, nullptr);
}

void GMainMenuPedestrianNode::depthStep()
{
	const float scale = std::min(std::max((Position.Y - 668.0f) / 100.0f, 0.0f), 1.0f);
	setScale(core::vector3df(scale, scale, 1.0f));
	setSpeed(std::max(1.0f, scale * baseSpeed));
	refreshAbsolute();
}
