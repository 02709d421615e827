#include "LevelLoading.h"

#include "data/GameNodeTypeIds.h"
#include "scene/SceneNode.h"

namespace
{
const char* const LoadingLevelSceneName = "scenes/LoadingLevelScene.qscn";
} // namespace

SceneNode* openLevelLoading(SceneNode* from, const irr::core::stringc& levelName)
{
	if (!from)
		return nullptr;
	SceneNode* loading =
	    from->openScene(LoadingLevelSceneName, false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo());
	if (loading && loading->isKindOf(NodeTypeGLoadingLevelScene))
	{
		// The loading scene's class is not part of the game yet; once it is, this is where it gets
		// the name: static_cast<GLoadingLevelScene*>(loading)->setLevelName(levelName).
		(void)levelName;
	}
	return loading;
}
