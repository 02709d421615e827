#pragma once

#include "GSelfDrivenMover.h"
#include "core/SmartPointer.h"
#include "data/GameNodeTypeIds.h"

// A bird crossing the level between two different random screen edges, flapping now and then.
class GBirdNode : public GSelfDrivenMover
{
	ENGINE_NODE_TYPE(GBirdNode, NodeTypeGBirdNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GBirdNode)

public:
	explicit GBirdNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                   INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void onLoaded() override;

protected:
	void onFirstRender() override;
	bool updateMover(unsigned ms) override;

private:
	int flapTimer = 0; // ms to the next flap
	SmartPointer<BaseNode> body;
};
