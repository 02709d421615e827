#pragma once

#include "GEvent.h"

class GBuildingNode;

// The demolition of the building is finished.
class GEventDestroyDone : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventDestroyDone, GEvent)
public:
	explicit GEventDestroyDone(GBuildingNode* building) : building(building) {}
	GBuildingNode* building; // not owned: lives in its level for the whole delivery
};
