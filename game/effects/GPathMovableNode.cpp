#include "GPathMovableNode.h"

#include "IVehicleTraffic.h"
#include "core/Random.h"
#include "data/GLevelPath.h"
#include "scene/NodeEvents.h"

#include <array>
#include <cmath>

using namespace irr;

namespace
{
struct DirectionBound
{
	float below;
	const char* name;
};

const DirectionBound eightDirections[] = {
    {15, "Right"},  {75, "RightUp"},   {105, "Up"},   {165, "LeftUp"},     {195, "Left"},
    {255, "LeftDown"}, {285, "Down"}, {345, "RightDown"}, {360, "Right"},
};

const DirectionBound twentyFourDirections[] = {
    {7.5f, "Right"},           {22.5f, "RightRightRightUp"}, {37.5f, "RightRightUp"},
    {52.5f, "RightUp"},        {67.5f, "RightUpUp"},         {82.5f, "RightUpUpUp"},
    {97.5f, "Up"},             {112.5f, "LeftUpUpUp"},       {127.5f, "LeftUpUp"},
    {142.5f, "LeftUp"},        {157.5f, "LeftLeftUp"},       {172.5f, "LeftLeftLeftUp"},
    {187.5f, "Left"},          {202.5f, "LeftLeftLeftDown"}, {217.5f, "LeftLeftDown"},
    {232.5f, "LeftDown"},      {247.5f, "LeftDownDown"},     {262.5f, "LeftDownDownDown"},
    {277.5f, "Down"},          {292.5f, "RightDownDownDown"}, {307.5f, "RightDownDown"},
    {322.5f, "RightDown"},     {337.5f, "RightRightDown"},   {352.5f, "RightRightRightDown"},
    {360.0f, "Right"},
};

// Screen y grows downwards, so 90 degrees points up.
float screenAngle(const core::vector2df& v)
{
	float angle = std::atan2(-v.Y, v.X) * 180.0f / 3.14159265358979f;
	if (angle < 0.0f)
		angle += 360.0f;
	if (!(angle >= 0.0f))
		return 0.0f;
	return angle > 360.0f ? 360.0f : angle;
}

template <size_t N>
StringId nameForAngle(const DirectionBound (&bounds)[N], float angle)
{
	// Interned once: the ids are the same for the whole process.
	static const std::array<StringId, N> ids = [&]
	{
		std::array<StringId, N> result;
		for (size_t i = 0; i < N; ++i)
			result[i] = internStringId(bounds[i].name);
		return result;
	}();
	for (size_t i = 0; i < N; ++i)
		if (bounds[i].below > angle)
			return ids[i];
	// A hair below zero rounds to exactly 360 degrees: that is still pointing right.
	return ids[N - 1];
}

StringId startStateName()
{
	static const StringId id = internStringId("Start");
	return id;
}

StringId stopStateName()
{
	static const StringId id = internStringId("Stop");
	return id;
}
} // namespace

StringId directionNameForVector(const core::vector2df& v)
{
	return nameForAngle(eightDirections, screenAngle(v));
}

StringId directionName24ForVector(const core::vector2df& v)
{
	return nameForAngle(twentyFourDirections, screenAngle(v));
}

core::vector2df randomizePathPoint(const core::array<GLevelPathPoint>& points, u32 index)
{
	const GLevelPathPoint& p = points[index];
	const core::vector2df point(p.x, p.y);
	if (p.d1 == 0.0f && p.d2 == 0.0f)
		return point;
	const u32 last = points.size() - 1;
	const GLevelPathPoint& from = index == 0 ? points[0] : points[index - 1];
	const GLevelPathPoint& to = index == 0 ? points[1] : (index == last ? points[index] : points[index + 1]);
	core::vector2df side(-(to.y - from.y), to.x - from.x);
	side.normalize();
	const float offset = Random::instance()->nextFloatInRange(-p.d1, p.d2);
	return point + side * offset;
}

namespace
{
float pathLength(const core::array<core::vector2df>& points)
{
	float length = 0.0f;
	for (u32 i = 1; i < points.size(); ++i)
		length += (points[i] - points[i - 1]).getLength();
	return length;
}
} // namespace

GPathMovableNode::GPathMovableNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
}

GPathMovableNode::~GPathMovableNode()
{
	if (trafficManager)
		trafficManager->removeCar(this);
}

const core::stringw& GPathMovableNode::typeNameText()
{
	static const core::stringw name(L"GPathMovableNode");
	return name;
}

void GPathMovableNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	// A clone starts idle with the default speed: paths belong to the owner that starts the node.
	BaseNode::copyFrom(source, manager);
}

void GPathMovableNode::placeAt(const core::vector2df& point)
{
	setPosition(core::vector3df(point.X, point.Y, point.Y));
}

void GPathMovableNode::start(const core::array<core::vector2df>& points, int data, bool reverse, bool looping)
{
	userData = data;
	if (points.size() < 2)
	{
		// Nowhere to go: the node is already there.
		remainingPoints = points;
		pathPoints = points;
		loop = false;
		if (!points.empty())
			placeAt(points[0]);
		arrive();
		return;
	}
	loop = looping;
	pathPoints = points;
	if (!reverse)
	{
		const u32 n = pathPoints.size();
		for (u32 i = 0; i < n / 2; ++i)
			core::swap(pathPoints[i], pathPoints[n - 1 - i]);
	}
	segmentDistance = 0.0f;
	remainingPoints = pathPoints;
	placeAt(remainingPoints.getLast());
	updateAbsoluteTransform();
	setChildrenState(startStateName(), nullptr);
	const u32 n = remainingPoints.size();
	onDirectionChanged(remainingPoints[n - 2] - remainingPoints[n - 1]);
}

core::vector2df GPathMovableNode::getCurrentSegment() const
{
	const u32 n = remainingPoints.size();
	return n >= 2 ? remainingPoints[n - 2] - remainingPoints[n - 1] : core::vector2df(0.0f, 0.0f);
}

void GPathMovableNode::stop()
{
	if (remainingPoints.size() < 2)
		return;
	remainingPoints.clear();
	setChildrenState(stopStateName(), nullptr);
}

void GPathMovableNode::updateMovement(u32 elapsedMs)
{
	if (remainingPoints.size() < 2)
		return;
	segmentDistance += static_cast<float>(elapsedMs) * 0.001f * speed;
	for (;;)
	{
		const u32 n = remainingPoints.size();
		const core::vector2df segment = remainingPoints[n - 2] - remainingPoints[n - 1];
		const float length = segment.getLength();
		if (length > segmentDistance)
			break;
		segmentDistance -= length;
		remainingPoints.erase(n - 1);
		if (loop && remainingPoints.size() <= 1)
		{
			// A loop of no length would never use up the distance: the node stays where it is.
			if (pathLength(pathPoints) + (pathPoints[0] - pathPoints.getLast()).getLength() <= 0.0f)
				loop = false;
			else
			{
				remainingPoints = pathPoints;
				remainingPoints.push_back(pathPoints[0]);
			}
		}
		if (remainingPoints.size() <= 1)
		{
			arrive();
			return;
		}
		const u32 m = remainingPoints.size();
		onDirectionChanged(remainingPoints[m - 2] - remainingPoints[m - 1]);
		// The node may have been stopped by its direction handler.
		if (remainingPoints.size() < 2)
			return;
	}
	const u32 n = remainingPoints.size();
	const core::vector2df& from = remainingPoints[n - 1];
	core::vector2df direction = remainingPoints[n - 2] - from;
	if (direction.getLengthSQ() > 0.0f)
		direction.normalize();
	placeAt(from + direction * segmentDistance);
}

void GPathMovableNode::arrive()
{
	if (!remainingPoints.empty())
		placeAt(remainingPoints[0]);
	setChildrenState(stopStateName(), nullptr);
	// The parent may release this node while handling the arrival.
	SmartPointer<BaseNode> keep(shareRef(this));
	SmartPointer<CEventNodeStateFinished> finished(new CEventNodeStateFinished(this, StringId(userData)));
	sendToParent(DeliverSelf, finished.get());
}

void GPathMovableNode::setTrafficManager(IVehicleTraffic* manager, bool priority)
{
	if (trafficManager)
		trafficManager->removeCar(this);
	trafficManager.share(manager);
	if (manager)
		manager->addCar(this, priority);
}

void GPathMovableNode::onDirectionChanged(const core::vector2df& direction)
{
	directionName = directionNameForVector(direction);
	if (!directionName.isEmpty())
		setChildrenState(directionName, nullptr);
}
