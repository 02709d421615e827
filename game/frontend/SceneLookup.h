#pragma once

#include "core/StringId.h"
#include "scene/BaseNode.h"

#include <array>
#include <cstddef>

class SceneNode;

// Child lookups and navigation states shared by the front-end screens.
namespace frontend
{
// The direct child of that name, or null (also for a null parent).
BaseNode* directChild(const BaseNode* parent, const char* name);

// The direct child of that name when it is of the class T, else null.
template <class T> T* directChildOf(const BaseNode* parent, const char* name)
{
	return nodeCast<T>(directChild(parent, name));
}

// Whether the node is the one of that name.
bool isNamed(const BaseNode* node, const char* name);

// Names interned once, read by their index: the screens compare node names and states on every event.
template <std::size_t Count> class InternedNames
{
public:
	explicit InternedNames(const std::array<const char*, Count>& names)
	{
		for (std::size_t i = 0; i < Count; ++i)
			ids[i] = internStringId(names[i]);
	}
	StringId operator[](std::size_t index) const { return ids[index]; }

private:
	std::array<StringId, Count> ids;
};

// The screens' own navigation states, played by the scenes they return to.
StringId navBackToSlide();
StringId navBackFromSlide();
StringId noTransTo();

// The back-only screens: Esc or Enter, or a press of the "BackButton", closes the screen to the scene
// below, which slides in. True when the screen closed.
bool closeOnBackKey(SceneNode* screen, int key);
bool closeOnBackButton(SceneNode* screen, const BaseNode* control);
} // namespace frontend
