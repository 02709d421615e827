#include "LevelLayer.h"

#include "app/GGameApplication.h"
#include "core/TaskScheduler.h"
#include "scene/SceneManager.h"

namespace play
{
void emptyLevelLayer()
{
	if (!gGameApplication || !gGameApplication->worldSceneManager)
		return;
	gGameApplication->worldSceneManager->showScene(nullptr);
	if (gGameApplication->worldScheduler)
		gGameApplication->worldScheduler->setEnabled(true);
}
} // namespace play
