#pragma once

#include "scene/NodeFactory.h"

#include <irrlicht/irrString.h>
#include <vector>

// One game class as the node factory knows it: the accessor of the name scene files use in Type or
// ClassOverride, and the creator that makes it with no parent and no scene manager.
struct GameNodeClass
{
	const irr::core::stringw& (*typeName)();
	NodeCreator creator;
};

// The classes the application registers before its first scene is loaded, in registration order.
const std::vector<GameNodeClass>& applicationNodeClasses();
// The classes the intro's first loading step registers, in registration order.
const std::vector<GameNodeClass>& gameNodeClasses();

// Register the tables with the node factory. A class in both tables, or a second call, changes
// nothing: the factory keeps the first creator of a name.
void registerApplicationNodeClasses();
void registerGameNodeClasses();
