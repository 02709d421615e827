#include "GGenerateSellBuildingRequestAction.h"

#include "data/GEventSellBuildingRequest.h"

GEventRequest* GGenerateSellBuildingRequestAction::makeRequest(const irr::core::array<StringId>& types,
                                                               const irr::core::array<StringId>& places) const
{
	return new GEventSellBuildingRequest(types, places);
}
