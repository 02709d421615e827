#pragma once

#include "GEvent.h"

class GBuildingNode;

// Materials and workers a work gives back to the level's stock.
class GEventResourcesReturned : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventResourcesReturned, GEvent)
public:
	GEventResourcesReturned(GBuildingNode* building, float materials, int workers)
	    : building(building), materials(materials), workers(workers)
	{
	}
	GBuildingNode* building; // not owned
	float materials;
	int workers;
};
