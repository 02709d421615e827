#include "GBirdNode.h"

#include "core/Random.h"

using namespace irr;

namespace
{
StringId bodyName()
{
	static const StringId id = internStringId("Body");
	return id;
}

// A random point of a screen edge: 0 top, 1 right, 2 bottom, 3 left.
core::vector2df pointOnEdge(u32 edge)
{
	Random* random = Random::instance();
	switch (edge)
	{
	case 0:
		return core::vector2df(random->nextFloatInRange(0.0f, 1024.0f), 0.0f);
	case 1:
		return core::vector2df(1024.0f, random->nextFloatInRange(0.0f, 660.0f));
	case 2:
		return core::vector2df(random->nextFloatInRange(0.0f, 1024.0f), 680.0f);
	default:
		return core::vector2df(-20.0f, random->nextFloatInRange(0.0f, 660.0f));
	}
}
} // namespace

GBirdNode::GBirdNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GSelfDrivenMover(reference, parentNode, manager, 30)
{
}

const core::stringw& GBirdNode::typeNameText()
{
	static const core::stringw name(L"GBirdNode");
	return name;
}

void GBirdNode::onLoaded()
{
	body.share(findChild(bodyName(), 1));
}

void GBirdNode::onFirstRender()
{
	Random* random = Random::instance();
	const u32 first = random->nextUInt() & 3u;
	u32 second = random->nextUInt() & 3u;
	// Never along one edge.
	if (second == first)
		second = (first + 1) % 4;
	core::array<core::vector2df> points;
	points.push_back(pointOnEdge(first));
	points.push_back(pointOnEdge(second));
	setSpeed(25.0f + 10.0f * random->nextFloat());
	start(points, -1, false, false);
}

bool GBirdNode::updateMover(unsigned ms)
{
	updateMovement(ms);
	if (!isMoving())
	{
		leaveParent(body.get());
		return false;
	}
	if (body)
	{
		if (flapTimer > static_cast<int>(ms))
			flapTimer -= static_cast<int>(ms);
		else
		{
			if (!directionName.isEmpty())
				body->setState(internStringId((getStringById(directionName) + "_Flap").c_str()), nullptr, StringId());
			flapTimer = static_cast<int>(flapTimer + Random::instance()->nextFloatInRange(4000.0f, 6000.0f));
		}
	}
	return true;
}
