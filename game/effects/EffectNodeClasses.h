#pragma once

#include "data/GameNodeClass.h"

#include <vector>

// The node classes of the effects folder, in the order the game registers them.
const std::vector<GameNodeClass>& effectNodeClasses();
