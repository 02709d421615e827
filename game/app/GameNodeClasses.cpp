#include "GameNodeClasses.h"

#include "effects/EffectNodeClasses.h"
#include "frontend/FrontendNodeClasses.h"
#include "level/LevelNodeClasses.h"
#include "minigames/MiniGameNodeClasses.h"
#include "play/PlayNodeClasses.h"

#include <initializer_list>

namespace
{
// The folder entry of the class with this name; a name no folder has is a fault the class table
// test reports, since the assembled list then lacks a folder's class.
const GameNodeClass* findFolderClass(const wchar_t* name)
{
	for (const auto* folder : {&frontendNodeClasses(), &effectNodeClasses(), &levelNodeClasses(), &playNodeClasses(),
	                           &miniGameNodeClasses()})
		for (const GameNodeClass& entry : *folder)
			if (entry.typeName() == name)
				return &entry;
	return nullptr;
}

std::vector<GameNodeClass> assemble(std::initializer_list<const wchar_t*> names)
{
	std::vector<GameNodeClass> classes;
	for (const wchar_t* name : names)
		if (const GameNodeClass* entry = findFolderClass(name))
			classes.push_back(*entry);
	return classes;
}
} // namespace

// The start-up scenes, in the order the application registers them.
const std::vector<GameNodeClass>& applicationNodeClasses()
{
	static const std::vector<GameNodeClass> classes = assemble({
	    L"GDebugStatsScene",
	    L"GLogosScene",
	    L"GIntroScene",
	    L"GQuitConfirmationScene",
	    L"GRectangleNode",
	});
	return classes;
}

// In the order the loading step registers them; the rectangle is here as well, since screens loaded
// after the start-up use it too.
const std::vector<GameNodeClass>& gameNodeClasses()
{
	static const std::vector<GameNodeClass> classes = assemble({
	    L"GMainMenuScene",
	    L"GMainMenuPedestrianNode",
	    L"GMainMenuCarNode",
	    L"GMainMenuBikeNode",
	    L"GMainMenuCloudNode",
	    L"GSelectPlayerScene",
	    L"GSelectPlayerInputNameScene",
	    L"GShopButton",
	    L"GShopScene",
	    L"GMapLocationButton",
	    L"GMapScene",
	    L"GComicsScene",
	    L"GLoadingLevelScene",
	    L"GGamePlayScene",
	    L"GLevelObjectivesScene",
	    L"GEllipseSectorNode",
	    L"GRectangleNode",
	    L"GLevelCompletedScene",
	    L"GAchievementUnlockedScene",
	    L"GAchievementsScene",
	    L"GHelpScene",
	    L"GCreditsScene",
	    L"GInGameMenuScene",
	    L"GOptionsScene",
	    L"GMiniCompletedScene",
	    L"GMiniGameHiddenScene",
	    L"GMiniGameHidden2Scene",
	    L"GMiniGameAuctionScene",
	    L"GBuildingNode",
	    L"GGameLevelScene",
	    L"GPathMovableNode",
	    L"GSpiralMovableNode",
	    L"GBaloonNode",
	    L"GPicEffectNode",
	    L"GShieldStarNode",
	    L"GShieldEffectNode",
	    L"GLakeWaveNode",
	    L"GBirdNode",
	    L"GCircularBirdNode",
	    L"GCarNode",
	    L"GPedestrianNode",
	    L"GTextTrailNode",
	    L"GFireworkNode",
	    L"OnceSpawnerNode",
	    L"GHOHintParticlesNode",
	    L"GWeatherParticlesNode",
	    L"GSelectGridNode",
	});
	return classes;
}

void registerNodeClasses(const std::vector<GameNodeClass>& classes)
{
	NodeFactory* factory = NodeFactory::instance();
	for (const GameNodeClass& entry : classes)
		factory->registerNodeCreator(entry.typeName(), entry.creator);
}

void registerApplicationNodeClasses()
{
	registerNodeClasses(applicationNodeClasses());
}

void registerGameNodeClasses()
{
	registerNodeClasses(gameNodeClasses());
}
