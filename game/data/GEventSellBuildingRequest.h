#pragma once

#include "GEventRequest.h"

// A buyer wants one of the player's buildings.
class GEventSellBuildingRequest : public GEventRequest
{
	ENGINE_EVENT_TYPE(EventTypeGEventSellBuildingRequest, GEventRequest)
public:
	using GEventRequest::GEventRequest;
};
