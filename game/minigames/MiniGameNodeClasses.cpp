#include "MiniGameNodeClasses.h"

#include "GMiniCompletedScene.h"
#include "GMiniGameAuctionScene.h"
#include "GMiniGameHidden2Scene.h"
#include "GMiniGameHiddenScene.h"

const std::vector<GameNodeClass>& miniGameNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameNodeClassOf<GMiniCompletedScene>(),
	    gameNodeClassOf<GMiniGameHiddenScene>(),
	    gameNodeClassOf<GMiniGameHidden2Scene>(),
	    gameNodeClassOf<GMiniGameAuctionScene>(),
	};
	return classes;
}
