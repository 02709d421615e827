#pragma once

#include "GGenerateRequestAction.h"

// Makes one of the player's buildings dirty now.
class GGenerateDirtyBuildingRequestAction : public GGenerateRequestAction
{
protected:
	GEventRequest* makeRequest(const irr::core::array<StringId>& types,
	                           const irr::core::array<StringId>& places) const override;
};
