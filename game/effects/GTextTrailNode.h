#pragma once

#include "GSelfDrivenMover.h"
#include "data/GameNodeTypeIds.h"

// A short text flying to a target above the scene, fading out there ("Die") and leaving 2 s later.
class GTextTrailNode : public GSelfDrivenMover
{
	ENGINE_NODE_TYPE(GTextTrailNode, NodeTypeGTextTrailNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GTextTrailNode)

public:
	explicit GTextTrailNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	// Sets the text of the direct child "Text" when it is a text node.
	void setText(const irr::core::stringw& text);
	// A trail put into a scene drives itself from then on, drawn or not, so it always ends.
	void attachToSceneManager(INodeEventQueue* sceneManager, SceneNode* scene) override;
	void onDirectionChanged(const irr::core::vector2df&) override {}

	int getDieTimer() const { return dieTimer; }

protected:
	void onFirstRender() override;
	bool updateMover(unsigned ms) override;

private:
	int dieTimer = -1; // ms; -1 while flying
};
