#include "FrontendNodeClasses.h"

#include "GAchievementUnlockedScene.h"
#include "GAchievementsScene.h"
#include "GComicsScene.h"
#include "GCreditsScene.h"
#include "GDebugStatsScene.h"
#include "GIntroScene.h"
#include "GLogosScene.h"
#include "GMainMenuScene.h"
#include "GMapLocationButton.h"
#include "GMapScene.h"
#include "GOptionsScene.h"
#include "GQuitConfirmationScene.h"
#include "GRectangleNode.h"
#include "GSelectPlayerInputNameScene.h"
#include "GSelectPlayerScene.h"
#include "GShopButton.h"
#include "GShopScene.h"

const std::vector<GameNodeClass>& frontendNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameNodeClassOf<GDebugStatsScene>(),   gameNodeClassOf<GLogosScene>(),
	    gameNodeClassOf<GIntroScene>(),        gameNodeClassOf<GQuitConfirmationScene>(),
	    gameNodeClassOf<GRectangleNode>(),     gameNodeClassOf<GMainMenuScene>(),
	    gameNodeClassOf<GSelectPlayerScene>(), gameNodeClassOf<GSelectPlayerInputNameScene>(),
	    gameNodeClassOf<GShopButton>(),        gameNodeClassOf<GShopScene>(),
	    gameNodeClassOf<GMapLocationButton>(), gameNodeClassOf<GMapScene>(),
	    gameNodeClassOf<GComicsScene>(),       gameNodeClassOf<GAchievementUnlockedScene>(),
	    gameNodeClassOf<GAchievementsScene>(), gameNodeClassOf<GCreditsScene>(),
	    gameNodeClassOf<GOptionsScene>(),
	};
	return classes;
}
