#pragma once

#include "GEvent.h"

class GBuildingNode;

// A building's feature has finished recharging, or its serving time has ended.
class GEventBuildingReady : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventBuildingReady, GEvent)
public:
	explicit GEventBuildingReady(GBuildingNode* building) : building(building) {}
	GBuildingNode* building; // not owned: lives in its level for the whole delivery
};
