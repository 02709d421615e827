#pragma once

#include "GEffectNode.h"
#include "data/GameNodeTypeIds.h"

// A firework rocket: it jumps forward in depth, flies with a constant acceleration for a random time,
// then bursts (its children's "Boost" state) and leaves its parent when the burst is over.
class GFireworkNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GFireworkNode, NodeTypeGFireworkNode, GEffectNode)
	ENGINE_NODE_CLONE(GFireworkNode)

public:
	explicit GFireworkNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                       INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;

	const irr::core::vector3df& getVelocity() const { return velocity; }
	int getMoveTime() const { return moveTime; }

protected:
	bool canStart() const override { return moveTime >= 0; }
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	irr::core::vector3df velocity; // units per second; z stays 0
	int moveTime = 0;              // flight time left, ms; below 0 the flight is over
	irr::core::vector2df velocityXRange;
	irr::core::vector2df velocityYRange;
	irr::core::vector2df acceleration;  // x, y
	irr::core::vector2df moveTimeRange; // ms
};
