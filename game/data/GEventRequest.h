#pragma once

#include "GEvent.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>

// Base of the requests that random events and the tutorial send to the level: which building types and
// places the request may pick from (empty lists: any).
class GEventRequest : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventRequest, GEvent)
public:
	GEventRequest(const irr::core::array<StringId>& buildingTypes, const irr::core::array<StringId>& placeNames)
	    : buildingTypes(buildingTypes), placeNames(placeNames)
	{
	}

	irr::core::array<StringId> buildingTypes;
	irr::core::array<StringId> placeNames;
};
