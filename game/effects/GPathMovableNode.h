#pragma once

#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "data/GameNodeTypeIds.h"
#include "scene/BaseNode.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/vector2d.h>

class IVehicleTraffic;
struct GLevelPathPoint;

// The eight heading names ("Right", "RightUp", ... "RightDown") of a screen vector.
StringId directionNameForVector(const irr::core::vector2df& v);
// The twenty-four heading names of the bicycle ("RightRightRightUp", ...).
StringId directionName24ForVector(const irr::core::vector2df& v);
// Point index of a level path moved sideways by a random amount between -d1 and d2 (right of travel positive).
irr::core::vector2df randomizePathPoint(const irr::core::array<GLevelPathPoint>& points, irr::u32 index);

// A node that travels a polyline at a constant speed when its owner updates it, names its heading to
// its children's states and tells its parent when it arrives: the base of every moving thing of the game.
class GPathMovableNode : public BaseNode
{
	ENGINE_NODE_TYPE(GPathMovableNode, NodeTypeGPathMovableNode, BaseNode)
	ENGINE_NODE_CLONE(GPathMovableNode)

public:
	explicit GPathMovableNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                          INodeEventQueue* sceneManager = nullptr);
	~GPathMovableNode() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// Travels from the first point to the last (the other way with reverse); fewer than two points arrive at once.
	void start(const irr::core::array<irr::core::vector2df>& points, int userData, bool reverse, bool loop);
	// Ends the travel where the node stands, without telling the parent.
	void stop();
	void updateMovement(irr::u32 elapsedMs);
	void setTrafficManager(IVehicleTraffic* manager, bool priority);
	IVehicleTraffic* getTrafficManager() const { return trafficManager.get(); }

	// Called with the vector of each segment begun; the base names the heading to the children.
	virtual void onDirectionChanged(const irr::core::vector2df& direction);

	float getSpeed() const { return speed; }
	void setSpeed(float pixelsPerSecond) { speed = pixelsPerSecond; }
	int getUserData() const { return userData; }
	StringId getDirectionName() const { return directionName; }
	// Two or more while moving (exactly two on the last segment); fewer when idle or arrived.
	irr::u32 getRemainingPointsCount() const { return remainingPoints.size(); }
	bool isMoving() const { return remainingPoints.size() >= 2; }
	// End minus start of the segment being travelled; (0, 0) when not moving.
	irr::core::vector2df getCurrentSegment() const;

protected:
	// Puts the node on the point, depth following y so lower things draw in front.
	void placeAt(const irr::core::vector2df& point);

	StringId directionName;

private:
	void arrive();

	SmartPointer<IVehicleTraffic> trafficManager;
	float speed = 100.0f; // pixels per second
	int userData = -1;    // carried by the arrival notification; in practice a name id
	// Points still to reach in reverse order of travel: the last is the current segment's start.
	irr::core::array<irr::core::vector2df> remainingPoints;
	irr::core::array<irr::core::vector2df> pathPoints; // the whole path, same order, for looping
	bool loop = false;
	float segmentDistance = 0.0f;
};
