#include "GWatchingAction.h"

bool GWatchingAction::contains(const irr::core::array<StringId>& names, StringId name)
{
	for (irr::u32 i = 0; i < names.size(); ++i)
		if (names[i] == name)
			return true;
	return false;
}

bool GWatchingAction::contains(const irr::core::array<int>& values, int value)
{
	for (irr::u32 i = 0; i < values.size(); ++i)
		if (values[i] == value)
			return true;
	return false;
}
