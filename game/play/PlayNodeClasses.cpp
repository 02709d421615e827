#include "PlayNodeClasses.h"

#include "GGamePlayScene.h"
#include "GHelpScene.h"
#include "GInGameMenuScene.h"
#include "GLevelCompletedScene.h"
#include "GLevelObjectivesScene.h"
#include "GLoadingLevelScene.h"

const std::vector<GameNodeClass>& playNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameNodeClassOf<GLoadingLevelScene>(),
	    gameNodeClassOf<GGamePlayScene>(),
	    gameNodeClassOf<GLevelObjectivesScene>(),
	    gameNodeClassOf<GLevelCompletedScene>(),
	    gameNodeClassOf<GHelpScene>(),
	    gameNodeClassOf<GInGameMenuScene>(),
	};
	return classes;
}
