#include "GameNodeClasses.h"

#include "effects/GPathMovableNode.h"
#include "frontend/GRectangleNode.h"
#include "level/GBuildingNode.h"
#include "level/GEllipseSectorNode.h"
#include "level/GGameLevelScene.h"

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

// The scenes of the start-up classes join as they are written: GDebugStatsScene, GLogosScene,
// GIntroScene and GQuitConfirmationScene come before the rectangle.
const std::vector<GameNodeClass>& applicationNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameClass<GRectangleNode>(),
	};
	return classes;
}

// In the order the loading step registers them; the rectangle is here as well, since screens loaded
// after the start-up use it too. The other classes take their places in this list as they are written.
const std::vector<GameNodeClass>& gameNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameClass<GEllipseSectorNode>(), gameClass<GRectangleNode>(),   gameClass<GBuildingNode>(),
	    gameClass<GGameLevelScene>(),    gameClass<GPathMovableNode>(),
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
