#include "LevelLoading.h"

#include "play/GLoadingLevelScene.h"
#include "scene/SceneNode.h"

SceneNode* openLevelLoading(SceneNode* from, const irr::core::stringc& levelName, bool keepCoveredVisible,
                            StringId fromState, StringId toState)
{
	if (!from)
		return nullptr;
	SceneNode* loading = from->openScene(GLoadingLevelScene::FileName, keepCoveredVisible,
	                                     fromState.isEmpty() ? SceneNode::nameIdNavFrom() : fromState,
	                                     toState.isEmpty() ? SceneNode::nameIdNavTo() : toState);
	// The name is set before the scene appears: its first step reads it.
	if (auto* levelLoading = nodeCast<GLoadingLevelScene>(loading))
		levelLoading->setLevelName(levelName);
	return loading;
}
