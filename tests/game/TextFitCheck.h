#pragma once

#include "content/CFont.h"
#include "core/StringId.h"
#include "nodes/TextNode.h"
#include "scene/BaseNode.h"
#include "scene/ControlNode.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// Where the ink of every laid-out line of the visible texts under a node lies: a line that leaves its
// text box or the 1024 x 768 screen is a fault, named by the node's path and the line.
namespace textfit
{
struct Ink
{
	float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
	bool empty = true;
};

// The ink of one line in the text's own space, from the font's glyph metrics as the text lays them out.
inline Ink lineInk(const TextNode& text, irr::u32 line)
{
	Ink ink;
	const CFont* font = text.getFont();
	if (!font)
		return ink;
	const float scale = text.getFontScale();
	const irr::core::stringw& chars = text.getLine(line);
	float x = static_cast<float>(text.getLineX(line));
	const float y = static_cast<float>(text.getLineY(line));
	for (irr::u32 j = 0; j < chars.size(); ++j)
	{
		const FontGlyph* glyph = font->getGlyph(font->getGlyphIndex(chars[j]));
		if (!glyph)
			continue;
		x += scale * glyph->b.X;
		if (chars[j] != L' ' && glyph->width > 0.0f && glyph->height > 0.0f)
		{
			const float top = y + scale * glyph->b.Y;
			const Ink here{x, top, x + scale * glyph->width, top + scale * glyph->height, false};
			if (ink.empty)
				ink = here;
			ink.left = std::min(ink.left, here.left);
			ink.top = std::min(ink.top, here.top);
			ink.right = std::max(ink.right, here.right);
			ink.bottom = std::max(ink.bottom, here.bottom);
		}
		const int pair = j + 1 < chars.size() ? font->getKerning(chars[j], chars[j + 1]) : 0;
		x += scale * (glyph->a.X + glyph->width + font->getGlobalKerning().X + text.getKerning().X +
		              static_cast<float>(pair));
	}
	return ink;
}

inline std::string pathOf(const BaseNode* node)
{
	std::string path;
	for (const BaseNode* n = node; n; n = n->getParent())
		path = std::string("/") + getStringById(n->getName()).c_str() + path;
	return path;
}

// Adds a fault for each line of the text outside its box (and, when asked, outside the screen).
inline void checkText(const TextNode& text, bool onScreen, std::vector<std::string>& faults)
{
	// Half a pixel of rounding and the glyphs' one-pixel fringe are no fault.
	constexpr float slack = 1.5f;
	const irr::core::vector3df& box = text.getBounds();
	const irr::core::matrix4& toScreen = text.getAbsoluteTransformation();
	for (irr::u32 line = 0; line < text.getLineCount(); ++line)
	{
		const Ink ink = lineInk(text, line);
		if (ink.empty)
			continue;
		std::string where;
		if (ink.left < -slack || ink.right > box.X + slack)
			where = "beside its box";
		else if (box.Y > 0.0f && (ink.top < -slack || ink.bottom > box.Y + slack))
			where = "above or below its box";
		irr::core::vector3df a(ink.left, ink.top, 0.0f), b(ink.right, ink.bottom, 0.0f);
		toScreen.transformVect(a);
		toScreen.transformVect(b);
		if (where.empty() && onScreen &&
		    (std::min(a.X, b.X) < -slack || std::max(a.X, b.X) > 1024.0f + slack || std::min(a.Y, b.Y) < -slack ||
		     std::max(a.Y, b.Y) > 768.0f + slack))
			where = "off the screen";
		if (where.empty())
			continue;
		char extent[96];
		std::snprintf(extent, sizeof extent, " (ink %.0f..%.0f x %.0f..%.0f, box %.0f x %.0f)", ink.left, ink.right,
		              ink.top, ink.bottom, box.X, box.Y);
		faults.push_back(pathOf(&text) + " line \"" + irr::core::stringc(text.getLine(line)).c_str() + "\" " + where +
		                 extent);
	}
}

// Every visible text under the node (the node itself counts as visible when rootVisible is false).
inline void checkTexts(BaseNode* root, bool onScreen, std::vector<std::string>& faults, bool rootVisible = true)
{
	if (!root || (rootVisible && !root->isVisible()))
		return;
	root->refreshAbsolute();
	if (const TextNode* text = nodeCast<TextNode>(root))
		checkText(*text, onScreen, faults);
	for (irr::u32 i = 0; i < root->getChildren().size(); ++i)
		checkTexts(root->getChildren()[i], onScreen, faults, true);
	// A control's look lives under its template root, linked to it but not one of its children.
	if (const ControlNode* control = nodeCast<ControlNode>(root))
		if (BaseNode* look = control->getTemplateRoot())
			checkTexts(look, onScreen, faults, true);
}
} // namespace textfit
