#pragma once

#include "GBuildingType.h"
#include "GEvent.h"
#include "core/SmartPointer.h"

class GBuildingNode;

// A building or an upgrade is finished; the record is the level now standing.
class GEventWorkCompleted : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventWorkCompleted, GEvent)
public:
	GEventWorkCompleted(GBuildingNode* building, GBuildingType* record) : building(building), record(shareRef(record))
	{
	}
	GBuildingNode* building; // not owned
	SmartPointer<GBuildingType> record;
};
