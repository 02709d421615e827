#pragma once

#include "GEvent.h"

// Money, stock, income or a building's state changed: the play screen refreshes its figures.
class GEventLevelStatsChanged : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventLevelStatsChanged, GEvent)
};
