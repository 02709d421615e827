#pragma once

#include "GGenerateRequestAction.h"

// Makes one of the player's buildings break down now.
class GGenerateBrokenBuildingRequestAction : public GGenerateRequestAction
{
protected:
	GEventRequest* makeRequest(const irr::core::array<StringId>& types,
	                           const irr::core::array<StringId>& places) const override;
};
