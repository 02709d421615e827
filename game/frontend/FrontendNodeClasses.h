#pragma once

#include "data/GameNodeClass.h"

#include <vector>

// The node classes of the frontend folder: the start-up scenes first, then the others in the order the game registers
// them.
const std::vector<GameNodeClass>& frontendNodeClasses();
