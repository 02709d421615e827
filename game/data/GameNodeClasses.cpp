#include "GameNodeClasses.h"

#include "effects/GPathMovableNode.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "frontend/GAchievementsScene.h"
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
#include "level/GBuildingNode.h"
#include "level/GEllipseSectorNode.h"
#include "level/GGameLevelScene.h"
#include "play/GGamePlayScene.h"

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
	    gameClass<GSelectPlayerScene>(),
	    gameClass<GSelectPlayerInputNameScene>(),
	    gameClass<GMapLocationButton>(),
	    gameClass<GMapScene>(),
	    gameClass<GEllipseSectorNode>(),
	    gameClass<GRectangleNode>(),
	    gameClass<GAchievementUnlockedScene>(),
	    gameClass<GAchievementsScene>(),
	    gameClass<GCreditsScene>(),
	    gameClass<GOptionsScene>(),
	    gameClass<GBuildingNode>(),
	    gameClass<GGameLevelScene>(),
	    gameClass<GPathMovableNode>(),
	    gameClass<GGamePlayScene>(),
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
