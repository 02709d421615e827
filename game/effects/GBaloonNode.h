#pragma once

#include "GEffectNode.h"
#include "data/GameNodeTypeIds.h"

// A balloon that floats away: it drifts sideways between two limits around its start, climbs with a
// speed that changes only in an early window, fades out over its last second and leaves its parent.
class GBaloonNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GBaloonNode, NodeTypeGBaloonNode, GEffectNode)
	ENGINE_NODE_CLONE(GBaloonNode)

public:
	explicit GBaloonNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                     INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	float getWidth() const { return width; }
	float getXVelocity() const { return vx; }
	float getYVelocity() const { return vy; }

protected:
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	irr::core::vector3df start; // Position when started
	float vx = 0.0f;            // units per second
	float vy = 0.0f;
	float ay = 0.0f;
	float width = 0.0f; // largest sideways distance from start.x
	irr::core::vector2df widthRange;
	irr::core::vector2df xVelocityRange; // its sign is drawn at the start
	irr::core::vector2df yVelocityRange;
	irr::core::vector2df yAccelRange;
	irr::core::vector2df yAccelTimeRange; // ms
	int accelEnd = 0;                     // remaining-life value at which the window closes
	int remaining = 0;                    // ms
	int lifeTime = 0;                     // ms
};
