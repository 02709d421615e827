#pragma once

#include "GEffectNode.h"
#include "data/GameNodeTypeIds.h"

// One flying star: it moves in a straight line, speeds up in up to two timed windows, spins, fades
// out over its last second and leaves its parent; its children are its picture.
class GShieldStarNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GShieldStarNode, NodeTypeGShieldStarNode, GEffectNode)
	ENGINE_NODE_CLONE(GShieldStarNode)

public:
	explicit GShieldStarNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                         INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	float getSpeed() const { return speed; }
	int getRemaining() const { return remaining; }

protected:
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	irr::core::vector3df direction;
	float speed = 0.0f; // units per second
	float accel1 = 0.0f;
	float accel2 = 0.0f;
	// Window bounds as remaining-life values, ms.
	int accel1Start = 0;
	int accel1End = 0;
	int accel2Start = 0;
	int accel2End = 0;
	float angle = 0.0f;           // degrees
	float angularVelocity = 0.0f; // degrees per second

	// Ranges (min, max); window times in ms from the start, angles in degrees.
	irr::core::vector2df accel1StartTimeRange;
	irr::core::vector2df accel1EndTimeRange;
	irr::core::vector2df accel2StartTimeRange;
	irr::core::vector2df accel2EndTimeRange;
	irr::core::vector2df velocityAngleRange;
	irr::core::vector2df velocityRange;
	irr::core::vector2df accel1Range;
	irr::core::vector2df accel2Range;
	irr::core::vector2df angleRange;
	irr::core::vector2df angularVelocityRange;
	int remaining = 0; // ms
	int lifeTime = 0;  // ms
};
