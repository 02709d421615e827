#pragma once

#include "GEvent.h"

class GBuildingNode;

// One payment of a building's paying feature.
class GEventFeatureIncome : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventFeatureIncome, GEvent)
public:
	GEventFeatureIncome(GBuildingNode* building, float amount) : building(building), amount(amount) {}
	GBuildingNode* building; // not owned
	float amount;
};
