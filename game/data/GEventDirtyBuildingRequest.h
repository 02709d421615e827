#pragma once

#include "GEventRequest.h"

// A building gets dirty.
class GEventDirtyBuildingRequest : public GEventRequest
{
	ENGINE_EVENT_TYPE(EventTypeGEventDirtyBuildingRequest, GEventRequest)
public:
	using GEventRequest::GEventRequest;
};
