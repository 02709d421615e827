#pragma once

#include "GEventRequest.h"

#include <irrlicht/vector2d.h>

// A letter with money arrives: the amount and how long it waits are drawn from the two ranges.
class GEventLetterRequest : public GEventRequest
{
	ENGINE_EVENT_TYPE(EventTypeGEventLetterRequest, GEventRequest)
public:
	GEventLetterRequest(const irr::core::array<StringId>& buildingTypes, const irr::core::array<StringId>& placeNames,
	                    const irr::core::vector2df& moneyRange, const irr::core::vector2df& waitTimeRange)
	    : GEventRequest(buildingTypes, placeNames), moneyRange(moneyRange), waitTimeRange(waitTimeRange)
	{
	}

	irr::core::vector2df moneyRange;    // min, max
	irr::core::vector2df waitTimeRange; // ms, min, max
};
