#pragma once

#include "GEvent.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>

// Asks the level whether the player owns a building of one of the types; the level sets the answer.
class GEventBuildingExistsQuery : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventBuildingExistsQuery, GEvent)
public:
	explicit GEventBuildingExistsQuery(const irr::core::array<StringId>& buildingTypes) : buildingTypes(buildingTypes)
	{
	}
	irr::core::array<StringId> buildingTypes;
	bool exists = false;
};
