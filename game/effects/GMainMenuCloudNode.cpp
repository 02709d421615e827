#include "GMainMenuCloudNode.h"

#include "core/Random.h"
#include "data/GLevelPaths.h"

#include <algorithm>

using namespace irr;

namespace
{
int cloudHeadStarts = 0;
}

GMainMenuCloudNode::GMainMenuCloudNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GMainMenuMover(reference, parentNode, manager, core::vector2df(5.0f, 5.0f))
{
}

const core::stringw& GMainMenuCloudNode::typeNameText()
{
	static const core::stringw name(L"GMainMenuCloudNode");
	return name;
}

int GMainMenuCloudNode::headStartsGiven()
{
	return cloudHeadStarts;
}

GLevelPath* GMainMenuCloudNode::pickPath(GLevelPaths* paths) const
{
	return paths->getRandomCarPath(internStringId("Clouds"));
}

void GMainMenuCloudNode::startRoute(const core::array<core::vector2df>& points)
{
	start(points, -1, false, false);
	// Higher clouds are nearer the horizon's wind and drift faster.
	const float factor = std::min(std::max((450.0f - points[0].Y) / 120.0f + 1.0f, 1.0f), 10.0f);
	baseSpeed *= factor;
	setSpeed(baseSpeed);
	if (cloudHeadStarts < 12)
	{
		updateMovement(Random::instance()->nextIntInRange(10000, 120000));
		++cloudHeadStarts;
	}
}
