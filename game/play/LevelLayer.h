#pragma once

namespace play
{
// Takes the level scene out of the level layer (the world scene manager shows nothing) and lets the
// world scheduler run again; nothing without an application or its world manager.
void emptyLevelLayer();
} // namespace play
