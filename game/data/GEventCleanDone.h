#pragma once

#include "GEvent.h"

class GBuildingNode;

// The cleaning of the building is finished.
class GEventCleanDone : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventCleanDone, GEvent)
public:
	explicit GEventCleanDone(GBuildingNode* building) : building(building) {}
	GBuildingNode* building; // not owned: lives in its level for the whole delivery
};
