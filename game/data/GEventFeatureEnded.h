#pragma once

#include "GEvent.h"

class GBuildingNode;

// The active time of a building's feature has ended.
class GEventFeatureEnded : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventFeatureEnded, GEvent)
public:
	GEventFeatureEnded(GBuildingNode* building, int featureIndex) : building(building), featureIndex(featureIndex) {}
	GBuildingNode* building; // not owned
	int featureIndex;        // 0-based
};
