#pragma once

#include "GTutorialAction.h"

// An action that waits for something the player or the level does; once seen, it stays done.
class GWatchingAction : public GTutorialAction
{
public:
	bool isDone() const override { return done; }

protected:
	static bool contains(const irr::core::array<StringId>& names, StringId name);
	static bool contains(const irr::core::array<int>& values, int value);

	bool done = false;
};
