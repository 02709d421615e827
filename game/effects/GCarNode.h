#pragma once

#include "GSelfDrivenMover.h"
#include "data/GameNodeTypeIds.h"

// An ambient car of a level, started by the level's traffic; it leaves its parent at the end of its road.
class GCarNode : public GSelfDrivenMover
{
	ENGINE_NODE_TYPE(GCarNode, NodeTypeGCarNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GCarNode)

public:
	explicit GCarNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                  INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	// A parked car (a decoration) stays where its road ends.
	void setRemovedAtEnd(bool value) { removedAtEnd = value; }
	bool isRemovedAtEnd() const { return removedAtEnd; }

protected:
	bool updateMover(unsigned ms) override;

private:
	bool removedAtEnd = true;
};
