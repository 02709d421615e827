#pragma once

#include "GSelfDrivenMover.h"
#include "core/SmartPointer.h"
#include "data/GameNodeTypeIds.h"

class GLevelPath;

// A pedestrian walking a random footpath of the level, stopping now and then to look around.
class GPedestrianNode : public GSelfDrivenMover
{
	ENGINE_NODE_TYPE(GPedestrianNode, NodeTypeGPedestrianNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GPedestrianNode)

public:
	explicit GPedestrianNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                         INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void onLoaded() override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// Starts walking the footpath (the level's first render pass does this with a random one).
	void walk(const GLevelPath& path);
	// 0 not started, 1 walking, 2 standing.
	int getWalkState() const { return walkState; }
	int getStateTimer() const { return stateTimer; }

protected:
	void onFirstRender() override;
	bool updateMover(unsigned ms) override;

private:
	SmartPointer<BaseNode> body;
	irr::core::vector2df walkTimeRange{10000.0f, 30000.0f}; // ms
	irr::core::vector2df standTimeRange{4000.0f, 6000.0f};
	irr::core::vector2df turnIntervalRange{1000.0f, 3000.0f};
	int walkState = 0;
	int stateTimer = 0; // ms
	int turnTimer = 0;  // ms
};
