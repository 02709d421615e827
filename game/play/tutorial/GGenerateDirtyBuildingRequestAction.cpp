#include "GGenerateDirtyBuildingRequestAction.h"

#include "data/GEventDirtyBuildingRequest.h"

GEventRequest* GGenerateDirtyBuildingRequestAction::makeRequest(const irr::core::array<StringId>& types,
                                                                const irr::core::array<StringId>& places) const
{
	return new GEventDirtyBuildingRequest(types, places);
}
