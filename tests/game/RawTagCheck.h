#pragma once

#include "content/CDictionary.h"
#include "core/StringId.h"
#include "device/IDevice.h"
#include "nodes/ButtonNode.h"
#include "nodes/TextNode.h"
#include "scene/SceneNode.h"

#include <cwctype>
#include <gtest/gtest.h>

// What the screens of an on-screen test draw, read from their nodes: every visible text and caption, as the
// dictionary expands it, must not show a raw %Key% (a dictionary key that was not found).
namespace rawtags
{
// A %Name% left in a text.
inline bool hasRawTag(const irr::core::stringw& text)
{
	for (irr::s32 start = text.findFirst(L'%'); start >= 0; start = text.findNext(L'%', start + 1))
	{
		const irr::s32 end = text.findNext(L'%', start + 1);
		if (end <= start + 1)
			continue;
		bool name = true;
		for (irr::s32 i = start + 1; i < end && name; ++i)
			name = std::iswalnum(static_cast<wint_t>(text[i])) || text[i] == L'_';
		if (name)
			return true;
	}
	return false;
}

inline void expectNoneUnder(const BaseNode* node, CDictionary& texts, const std::string& screen)
{
	if (!node->isVisible())
		return;
	const irr::core::stringw* shown = nullptr;
	if (const auto* text = nodeCast<TextNode>(node))
		shown = &text->getText();
	else if (const auto* button = nodeCast<ButtonNode>(node))
		shown = &button->getText();
	if (shown)
	{
		const irr::core::stringw drawn = texts.expandTags(*shown);
		EXPECT_FALSE(hasRawTag(drawn)) << screen << ": " << getStringById(node->getName()).c_str() << " shows "
		                               << irr::core::stringc(drawn).c_str();
	}
	for (irr::u32 i = 0; i < node->getChildren().size(); ++i)
		expectNoneUnder(node->getChildren()[i], texts, screen);
}

// The top scene and every scene below it that still shows.
inline void expectNone(const SceneNode* top, const std::string& screen)
{
	CDictionary* texts = getDevice() ? getDevice()->getDictionary() : nullptr;
	for (const SceneNode* scene = top; scene && texts; scene = scene->getSceneBelow())
		expectNoneUnder(scene, *texts, screen);
}
} // namespace rawtags
