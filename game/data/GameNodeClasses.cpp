#include "GameNodeClasses.h"

#include "effects/GBaloonNode.h"
#include "effects/GBirdNode.h"
#include "effects/GCarNode.h"
#include "effects/GCircularBirdNode.h"
#include "effects/GFireworkNode.h"
#include "effects/GHOHintParticlesNode.h"
#include "effects/GLakeWaveNode.h"
#include "effects/GMainMenuBikeNode.h"
#include "effects/GMainMenuCarNode.h"
#include "effects/GMainMenuCloudNode.h"
#include "effects/GMainMenuPedestrianNode.h"
#include "effects/GPathMovableNode.h"
#include "effects/GPedestrianNode.h"
#include "effects/GPicEffectNode.h"
#include "effects/GSelectGridNode.h"
#include "effects/GShieldEffectNode.h"
#include "effects/GShieldStarNode.h"
#include "effects/GSpiralMovableNode.h"
#include "effects/GTextTrailNode.h"
#include "effects/GWeatherParticlesNode.h"
#include "effects/OnceSpawnerNode.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "frontend/GAchievementsScene.h"
#include "frontend/GComicsScene.h"
#include "frontend/GCreditsScene.h"
#include "frontend/GDebugStatsScene.h"
#include "frontend/GIntroScene.h"
#include "frontend/GLogosScene.h"
#include "frontend/GMainMenuScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "frontend/GOptionsScene.h"
#include "frontend/GQuitConfirmationScene.h"
#include "frontend/GRectangleNode.h"
#include "frontend/GSelectPlayerInputNameScene.h"
#include "frontend/GSelectPlayerScene.h"
#include "frontend/GShopButton.h"
#include "frontend/GShopScene.h"
#include "level/GBuildingNode.h"
#include "level/GEllipseSectorNode.h"
#include "level/GGameLevelScene.h"
#include "minigames/GMiniCompletedScene.h"
#include "minigames/GMiniGameAuctionScene.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "minigames/GMiniGameHiddenScene.h"
#include "play/GGamePlayScene.h"
#include "play/GHelpScene.h"
#include "play/GInGameMenuScene.h"
#include "play/GLevelCompletedScene.h"
#include "play/GLevelObjectivesScene.h"
#include "play/GLoadingLevelScene.h"

namespace
{
template <class T> GameNodeClass gameClass()
{
	return {&T::typeNameText, &createNodeOfClass<T>};
}

void registerAll(const std::vector<GameNodeClass>& classes)
{
	NodeFactory* factory = NodeFactory::instance();
	for (const GameNodeClass& entry : classes)
		factory->registerNodeCreator(entry.typeName(), entry.creator);
}
} // namespace

// The start-up scenes, in the order the application registers them.
const std::vector<GameNodeClass>& applicationNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameClass<GDebugStatsScene>(),
	    gameClass<GLogosScene>(),
	    gameClass<GIntroScene>(),
	    gameClass<GQuitConfirmationScene>(),
	    gameClass<GRectangleNode>(),
	};
	return classes;
}

// In the order the loading step registers them; the rectangle is here as well, since screens loaded
// after the start-up use it too. The other classes take their places in this list as they are written.
const std::vector<GameNodeClass>& gameNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameClass<GMainMenuScene>(),
	    gameClass<GMainMenuPedestrianNode>(),
	    gameClass<GMainMenuCarNode>(),
	    gameClass<GMainMenuBikeNode>(),
	    gameClass<GMainMenuCloudNode>(),
	    gameClass<GSelectPlayerScene>(),
	    gameClass<GSelectPlayerInputNameScene>(),
	    gameClass<GShopButton>(),
	    gameClass<GShopScene>(),
	    gameClass<GMapLocationButton>(),
	    gameClass<GMapScene>(),
	    gameClass<GComicsScene>(),
	    gameClass<GLoadingLevelScene>(),
	    gameClass<GGamePlayScene>(),
	    gameClass<GLevelObjectivesScene>(),
	    gameClass<GEllipseSectorNode>(),
	    gameClass<GRectangleNode>(),
	    gameClass<GLevelCompletedScene>(),
	    gameClass<GAchievementUnlockedScene>(),
	    gameClass<GAchievementsScene>(),
	    gameClass<GHelpScene>(),
	    gameClass<GCreditsScene>(),
	    gameClass<GInGameMenuScene>(),
	    gameClass<GOptionsScene>(),
	    gameClass<GMiniCompletedScene>(),
	    gameClass<GMiniGameHiddenScene>(),
	    gameClass<GMiniGameHidden2Scene>(),
	    gameClass<GMiniGameAuctionScene>(),
	    gameClass<GBuildingNode>(),
	    gameClass<GGameLevelScene>(),
	    gameClass<GPathMovableNode>(),
	    gameClass<GSpiralMovableNode>(),
	    gameClass<GBaloonNode>(),
	    gameClass<GPicEffectNode>(),
	    gameClass<GShieldStarNode>(),
	    gameClass<GShieldEffectNode>(),
	    gameClass<GLakeWaveNode>(),
	    gameClass<GBirdNode>(),
	    gameClass<GCircularBirdNode>(),
	    gameClass<GCarNode>(),
	    gameClass<GPedestrianNode>(),
	    gameClass<GTextTrailNode>(),
	    gameClass<GFireworkNode>(),
	    gameClass<OnceSpawnerNode>(),
	    gameClass<GHOHintParticlesNode>(),
	    gameClass<GWeatherParticlesNode>(),
	    gameClass<GSelectGridNode>(),
	};
	return classes;
}

void registerApplicationNodeClasses()
{
	registerAll(applicationNodeClasses());
}

void registerGameNodeClasses()
{
	registerAll(gameNodeClasses());
}
