#pragma once

#include "GEvent.h"

// Every objective of the level is met; posted once by the level scene.
class GEventLevelCompleted : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventLevelCompleted, GEvent)
public:
	GEventLevelCompleted() = default;

	bool completed = true;
};
