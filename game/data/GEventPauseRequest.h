#pragma once

#include "GEvent.h"

// Asks the level to pause (true) or resume (false) its timed events.
class GEventPauseRequest : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventPauseRequest, GEvent)
public:
	explicit GEventPauseRequest(bool pause) : pause(pause) {}

	bool pause;
};
