#pragma once

#include <irrlicht/irrString.h>

class SceneNode;

#include "core/StringId.h"

// The road into a level from the front end: opens "scenes/LoadingLevelScene.qscn" over the top
// scene (by default the covered scene hidden, "NavFrom" / "NavTo") and hands it the level folder's name.
// The opened scene, or null when the file is missing or cannot be loaded; nothing else changes then.
SceneNode* openLevelLoading(SceneNode* from, const irr::core::stringc& levelName, bool keepCoveredVisible = false,
                            StringId fromState = StringId(), StringId toState = StringId());
