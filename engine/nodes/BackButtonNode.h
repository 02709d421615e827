#pragma once

#include "ButtonNode.h"

class CEventNodeClicked;

// A button that closes the top scene back to the one below it when clicked.
class BackButtonNode : public ButtonNode
{
	ENGINE_NODE_TYPE(BackButtonNode, NodeTypeBackButtonNode, ButtonNode)
	ENGINE_NODE_CLONE(BackButtonNode)

public:
	using ButtonNode::ButtonNode;

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	// Closes the manager's top scene; false, so the click goes on up to the scene.
	virtual bool onClicked(CEventNodeClicked* event);
};
