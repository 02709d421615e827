#pragma once

#include "GEffectNode.h"
#include "data/GameNodeTypeIds.h"

// Flies its children in from a random point of a rectangular ring to a random point of a central
// rectangle along a power curve, waits, fades out and detaches itself; several form a gathering burst.
class GShieldEffectNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GShieldEffectNode, NodeTypeGShieldEffectNode, GEffectNode)
	ENGINE_NODE_CLONE(GShieldEffectNode)

public:
	explicit GShieldEffectNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                           INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// 0 idle, 1 moving, 2 waiting, 3 fading.
	int getPhase() const { return phase; }
	const irr::core::vector3df& getStart() const { return start; }
	const irr::core::vector3df& getTarget() const { return target; }

protected:
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	irr::core::vector3df start;  // offset; z stays 0
	irr::core::vector3df target; // offset; z = x + y + 100
	int phase = 0;
	int phaseTime = 0;                   // ms
	irr::core::vector2df area1Rect1Size; // outer rectangle of the start ring
	irr::core::vector2df area1Rect2Size; // inner rectangle of the start ring
	irr::core::vector2df area2RectSize;  // rectangle of the targets
	irr::core::vector2df velocityRange;  // offered to scene files; the flight time sets the motion
	float velocityPower = 1.0f;          // exponent of the easing curve
	int movingTime = 0;                  // ms
	int disappearWaitTime = 0;
	int disappearTime = 0;
};
