#pragma once

#include "GEvent.h"

// A day of the level has passed and its income was paid.
class GEventNewDay : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventNewDay, GEvent)
};
