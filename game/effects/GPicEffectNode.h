#pragma once

#include "GEffectNode.h"
#include "data/GameNodeTypeIds.h"

// A picture that rises or sinks while swinging sideways as if circling a vertical axis, passing
// behind things during the back half of each swing; it fades out over its last second and leaves.
class GPicEffectNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GPicEffectNode, NodeTypeGPicEffectNode, GEffectNode)
	ENGINE_NODE_CLONE(GPicEffectNode)

public:
	explicit GPicEffectNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

protected:
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	irr::core::vector3df start;
	irr::core::vector3df current; // centre of the swing
	float vy = 0.0f;              // units per second
	float ay = 0.0f;
	float width = 0.0f; // swing amplitude
	int swingTime = 0;  // ms into the swing period
	irr::core::vector2df widthRange;
	irr::core::vector2df yVelocityRange;
	irr::core::vector2df yAccelRange;
	irr::core::vector2df yAccelTimeRange; // ms
	int animTime = 1000;                  // swing period, ms
	int accelEnd = 0;                     // remaining-life value at which the window closes
	int remaining = 0;
	int lifeTime = 0;
};
