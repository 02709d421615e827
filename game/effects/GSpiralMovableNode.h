#pragma once

#include "GEffectNode.h"
#include "data/GameNodeTypeIds.h"

// Moves its children on a spiral around where it was placed while spinning them; it fades out over
// its last second and leaves its parent.
class GSpiralMovableNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GSpiralMovableNode, NodeTypeGSpiralMovableNode, GEffectNode)
	ENGINE_NODE_CLONE(GSpiralMovableNode)

public:
	explicit GSpiralMovableNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
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
	void placeOnSpiral();

	irr::core::vector3df centre;
	float r = 0.0f;
	float rVelocity = 0.0f;     // per second
	float rotVelocity = 0.0f;   // degrees of Rotation.z per second
	float angle = 0.0f;         // radians
	float angleVelocity = 0.0f; // radians per second
	irr::core::vector2df rRange;
	irr::core::vector2df rVelocityRange;
	irr::core::vector2df rotVelocityRange;
	irr::core::vector2df angleRange; // radians
	irr::core::vector2df angleVelocityRange;
	int remaining = 0;
	int lifeTime = 0;
};
