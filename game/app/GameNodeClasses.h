#pragma once

#include "data/GameNodeClass.h"

#include <vector>

// The classes the application registers before its first scene is loaded, in registration order.
const std::vector<GameNodeClass>& applicationNodeClasses();
// The classes the intro's first loading step registers, in registration order.
const std::vector<GameNodeClass>& gameNodeClasses();

// Register the tables with the node factory. A class in both tables, or a second call, changes
// nothing: the factory keeps the first creator of a name.
void registerApplicationNodeClasses();
void registerGameNodeClasses();
// Register one folder's table, for callers that need only some folders.
void registerNodeClasses(const std::vector<GameNodeClass>& classes);
