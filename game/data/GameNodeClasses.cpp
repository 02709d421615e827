#include "GameNodeClasses.h"

#include "frontend/GAchievementUnlockedScene.h"
#include "frontend/GAchievementsScene.h"
#include "frontend/GCreditsScene.h"
#include "frontend/GDebugStatsScene.h"
#include "frontend/GOptionsScene.h"
#include "frontend/GQuitConfirmationScene.h"
#include "frontend/GRectangleNode.h"
#include "frontend/GSelectPlayerInputNameScene.h"
#include "frontend/GSelectPlayerScene.h"

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

// The start-up scenes join as they are written: GLogosScene and GIntroScene come between the
// statistics overlay and the quit confirmation.
const std::vector<GameNodeClass>& applicationNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameClass<GDebugStatsScene>(),
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
	    gameClass<GSelectPlayerScene>(), gameClass<GSelectPlayerInputNameScene>(),
	    gameClass<GRectangleNode>(),     gameClass<GAchievementUnlockedScene>(),
	    gameClass<GAchievementsScene>(), gameClass<GCreditsScene>(),
	    gameClass<GOptionsScene>(),
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
