#pragma once

#include "GEventRequest.h"

// A building breaks down.
class GEventBrokenBuildingRequest : public GEventRequest
{
	ENGINE_EVENT_TYPE(EventTypeGEventBrokenBuildingRequest, GEventRequest)
public:
	using GEventRequest::GEventRequest;
};
