#include "GMainMenuBikeNode.h"

#include "core/Random.h"
#include "data/GLevelPaths.h"
#include "scene/NodeMath.h"

#include <algorithm>
#include <cmath>

using namespace irr;

GMainMenuBikeNode::GMainMenuBikeNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GMainMenuMover(reference, parentNode, manager, core::vector2df(50.0f, 50.0f))
{
}

const core::stringw& GMainMenuBikeNode::typeNameText()
{
	static const core::stringw name(L"GMainMenuBikeNode");
	return name;
}

GLevelPath* GMainMenuBikeNode::pickPath(GLevelPaths* paths) const
{
	return paths->getRandomCarPath(internStringId("Bike"));
}

void GMainMenuBikeNode::startRoute(const core::array<core::vector2df>& points)
{
	setSpeed(baseSpeed);
	start(points, -1, false, true);
	updateMovement(Random::instance()->nextIntInRange(1000, 5000));
}

void GMainMenuBikeNode::onDirectionChanged(const core::vector2df& direction)
{
	const bool first = travelDirection.X == 0.0f && travelDirection.Y == 0.0f;
	shownDirection = travelDirection;
	travelDirection = direction;
	if (first)
	{
		shownDirection = direction;
		setChildrenState(directionName24ForVector(direction), nullptr);
	}
	const float dx = direction.X;
	const float dy = direction.Y;
	if (std::fabs(dy) <= 0.000001f || dx / dy < 0.0f)
		slopeFactor = 1.0f;
	else
		slopeFactor = std::min(std::max(std::sqrt(dx / dy), 0.5f), 1.0f);
}

void GMainMenuBikeNode::depthStep()
{
	const float scale = std::min(std::max((Position.Y - 700.0f) / 35.0f, 0.65f), 1.0f);
	setScale(core::vector3df(scale, scale, 1.0f));
	setSpeed(std::max(1.0f, scale * scale * scale * slopeFactor * baseSpeed));
	steer();
}

void GMainMenuBikeNode::steer()
{
	if (shownDirection == travelDirection)
		return;
	float d = static_cast<float>(travelDirection.getAngleTrig() - shownDirection.getAngleTrig());
	if (d > 180.0f)
		d -= 360.0f;
	else if (d < -180.0f)
		d += 360.0f;
	if (std::fabs(d) < 7.0f)
		shownDirection = travelDirection;
	else
		shownDirection = rotateByWholeDegrees(shownDirection, d > 0.0f ? 10 : -10);
	// The picture leans a little further into the turn.
	setChildrenState(directionName24ForVector(rotateByWholeDegrees(shownDirection, 10)), nullptr);
}
