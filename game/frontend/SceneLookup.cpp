#include "SceneLookup.h"

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
	static const StringId id = internStringId("NavBackToSlide");
	return id;
}

StringId navBackFromSlide()
{
	static const StringId id = internStringId("NavBackFromSlide");
	return id;
}

StringId noTransTo()
{
	static const StringId id = internStringId("NoTransTo");
	return id;
}
} // namespace frontend
