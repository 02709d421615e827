#pragma once

#include "GEventRequest.h"

// A cafe order comes in.
class GEventCafeBuildingRequest : public GEventRequest
{
	ENGINE_EVENT_TYPE(EventTypeGEventCafeBuildingRequest, GEventRequest)
public:
	using GEventRequest::GEventRequest;
};
