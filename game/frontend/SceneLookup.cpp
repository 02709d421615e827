#include "SceneLookup.h"

#include "scene/SceneNode.h"

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;

StringId navName(int index)
{
	static const frontend::InternedNames<3> names({"NavBackToSlide", "NavBackFromSlide", "NoTransTo"});
	return names[index];
}
} // namespace

namespace frontend
{
BaseNode* directChild(const BaseNode* parent, const char* name)
{
	// Depth 1: direct children only.
	return parent ? parent->findChild(internStringId(name), 1) : nullptr;
}

bool isNamed(const BaseNode* node, const char* name)
{
	return node && node->getName() == internStringId(name);
}

StringId navBackToSlide()
{
	return navName(0);
}

StringId navBackFromSlide()
{
	return navName(1);
}

StringId noTransTo()
{
	return navName(2);
}

bool closeOnBackKey(SceneNode* screen, int key)
{
	if (key != KeyEscape && key != KeyEnter)
		return false;
	screen->closeTo(0, StringId(), navBackToSlide());
	return true;
}

bool closeOnBackButton(SceneNode* screen, const BaseNode* control)
{
	if (!isNamed(control, "BackButton"))
		return false;
	screen->closeTo(0, StringId(), navBackToSlide());
	return true;
}
} // namespace frontend
