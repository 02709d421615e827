#include "LevelLoading.h"

#include "play/GLoadingLevelScene.h"
#include "scene/SceneNode.h"

SceneNode* openLevelLoading(SceneNode* from, const irr::core::stringc& levelName)
{
	if (!from)
		return nullptr;
	SceneNode* loading =
	    from->openScene(GLoadingLevelScene::FileName, false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo());
	// The name is set before the scene appears: its first step reads it.
	if (auto* levelLoading = nodeCast<GLoadingLevelScene>(loading))
		levelLoading->setLevelName(levelName);
	return loading;
}
