#pragma once

#include "core/StringId.h"

class SceneNode;

// One pending screen change: the scenes involved and the states their children play.
struct NavigationRecord
{
	// The scene left (covered or closed); null when a scene is shown.
	SceneNode* oldScene = nullptr;
	// The state oldScene's children play; -1 when none is played.
	StringId oldState;
	// The scene entered (shown, pushed or returned to).
	SceneNode* newScene = nullptr;
	StringId newState;
	// The old scene stays open (show, push, message box) rather than being removed (close).
	bool keepOld = true;
	// With keepOld: the old scene stays visible and its scheduler keeps running.
	bool keepOldVisible = false;
};
