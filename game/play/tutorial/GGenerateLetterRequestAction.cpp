#include "GGenerateLetterRequestAction.h"

#include "data/GEventLetterRequest.h"

GEventRequest* GGenerateLetterRequestAction::makeRequest(const irr::core::array<StringId>& types,
                                                         const irr::core::array<StringId>& places) const
{
	return new GEventLetterRequest(types, places, irr::core::vector2df(1.5f, 2.0f),
	                               irr::core::vector2df(200000000.0f, 200000000.0f));
}
