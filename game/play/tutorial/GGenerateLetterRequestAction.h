#pragma once

#include "GGenerateRequestAction.h"

// Brings a money letter to one of the player's buildings now; it waits long enough for any lesson.
class GGenerateLetterRequestAction : public GGenerateRequestAction
{
protected:
	GEventRequest* makeRequest(const irr::core::array<StringId>& types,
	                           const irr::core::array<StringId>& places) const override;
};
