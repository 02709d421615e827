#pragma once

#include "scene/BaseNode.h"

#include <irrlicht/SColor.h>

class ControlNode;
class TextNode;

// Look-ups of named nodes anywhere below a parent, and text set on nodes that may be missing.
namespace nodelookup
{
// The first node of that name at any depth below the parent, or null (also for a null parent).
BaseNode* child(const BaseNode* parent, const char* name);

// That node when it is of the class T, else null.
template <class T> T* childOf(const BaseNode* parent, const char* name)
{
	return nodeCast<T>(child(parent, name));
}

TextNode* textChild(const BaseNode* parent, const char* name);
ControlNode* control(const BaseNode* parent, const char* name);

// A missing node is skipped.
void setText(TextNode* node, const irr::core::stringw& text);
void setText(TextNode* node, const irr::core::stringw& text, irr::video::SColor colour);
} // namespace nodelookup
