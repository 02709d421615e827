#pragma once

#include "app/GBaseSceneNode.h"

// The credits: all they show is scene-file content; Esc, Enter or the back button close them.
class GCreditsScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GCreditsScene, NodeTypeGCreditsScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GCreditsScene)

public:
	using GBaseSceneNode::GBaseSceneNode;

	static const irr::core::stringw& typeNameText();

	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
};
