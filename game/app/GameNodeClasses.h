#pragma once

// Makes the game's node classes known to the node factory under their type names, so scene
// files can name them in Type and ClassOverride; the first registration of a name wins.
void registerGameNodeClasses();
