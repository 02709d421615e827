#include "LevelNodeClasses.h"

#include "GBuildingNode.h"
#include "GEllipseSectorNode.h"
#include "GGameLevelScene.h"

const std::vector<GameNodeClass>& levelNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameNodeClassOf<GEllipseSectorNode>(),
	    gameNodeClassOf<GBuildingNode>(),
	    gameNodeClassOf<GGameLevelScene>(),
	};
	return classes;
}
