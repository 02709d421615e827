#pragma once

#include "app/GBaseSceneNode.h"

// Asks whether to leave the game: yes closes the device, no or Esc returns to the covered scene as it was.
class GQuitConfirmationScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GQuitConfirmationScene, NodeTypeGQuitConfirmationScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GQuitConfirmationScene)

public:
	using GBaseSceneNode::GBaseSceneNode;

	static const irr::core::stringw& typeNameText();

	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	// Says that progress is not saved when the data folder cannot be written.
	void onLoaded() override;

private:
	// Back to the scene below, which keeps still ("NoTransTo").
	void closeBack();
};
