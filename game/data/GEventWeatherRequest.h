#pragma once

#include "GEvent.h"

// Asks the level for a weather effect lasting between the two durations.
class GEventWeatherRequest : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventWeatherRequest, GEvent)
public:
	GEventWeatherRequest(int minDuration, int maxDuration) : minDuration(minDuration), maxDuration(maxDuration) {}

	int minDuration; // ms
	int maxDuration; // ms
};
