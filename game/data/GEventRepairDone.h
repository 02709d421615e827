#pragma once

#include "GEvent.h"

class GBuildingNode;

// A repair or a restoration of the building is finished.
class GEventRepairDone : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventRepairDone, GEvent)
public:
	explicit GEventRepairDone(GBuildingNode* building) : building(building) {}
	GBuildingNode* building; // not owned: lives in its level for the whole delivery
};
