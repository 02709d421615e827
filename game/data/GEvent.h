#pragma once

#include "GameEventIds.h"
#include "core/CEvent.h"

// Base of the game's messages between the level, its buildings and processes, and the play screen;
// only receivers whose mask holds EventCategoryGame are offered them.
class GEvent : public CEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEvent, CEvent)
public:
	GEvent() { mask = EventCategoryGame; }
};
