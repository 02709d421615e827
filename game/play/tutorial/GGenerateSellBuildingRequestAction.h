#pragma once

#include "GGenerateRequestAction.h"

// Sends the level a buyer for one of the player's buildings.
class GGenerateSellBuildingRequestAction : public GGenerateRequestAction
{
protected:
	GEventRequest* makeRequest(const irr::core::array<StringId>& types,
	                           const irr::core::array<StringId>& places) const override;
};
