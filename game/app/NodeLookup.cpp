#include "NodeLookup.h"

#include "nodes/TextNode.h"
#include "scene/ControlNode.h"

namespace nodelookup
{
BaseNode* child(const BaseNode* parent, const char* name)
{
	// Depth 0: any depth.
	return parent ? parent->findChild(internStringId(name), 0) : nullptr;
}

TextNode* textChild(const BaseNode* parent, const char* name)
{
	return childOf<TextNode>(parent, name);
}

ControlNode* control(const BaseNode* parent, const char* name)
{
	return childOf<ControlNode>(parent, name);
}

void setText(TextNode* node, const irr::core::stringw& text)
{
	if (node)
		node->setText(text);
}

void setText(TextNode* node, const irr::core::stringw& text, irr::video::SColor colour)
{
	if (!node)
		return;
	node->setText(text);
	node->setTintColor(colour);
}
} // namespace nodelookup
