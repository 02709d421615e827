#pragma once

#include "GEvent.h"

class GBuildingNode;

// The service bus's visit at the building that asked for it is over.
class GEventServeDone : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventServeDone, GEvent)
public:
	explicit GEventServeDone(GBuildingNode* building) : building(building) {}
	GBuildingNode* building; // not owned: lives in its level for the whole delivery
};
