#pragma once

#include <irrlicht/irrString.h>

class SceneNode;

// The road into a level from the front end: opens "scenes/LoadingLevelScene.qscn" over the top
// scene (the covered scene hidden) and hands it the level folder's name. The opened scene, or null
// when the file is missing or cannot be loaded; nothing else changes then.
SceneNode* openLevelLoading(SceneNode* from, const irr::core::stringc& levelName);
