#include "GGenerateBrokenBuildingRequestAction.h"

#include "data/GEventBrokenBuildingRequest.h"

GEventRequest* GGenerateBrokenBuildingRequestAction::makeRequest(const irr::core::array<StringId>& types,
                                                                 const irr::core::array<StringId>& places) const
{
	return new GEventBrokenBuildingRequest(types, places);
}
