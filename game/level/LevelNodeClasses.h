#pragma once

#include "data/GameNodeClass.h"

#include <vector>

// The node classes of the level folder, in the order the game registers them.
const std::vector<GameNodeClass>& levelNodeClasses();
