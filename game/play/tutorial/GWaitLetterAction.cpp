#include "GWaitLetterAction.h"

#include "data/GEventLetterRequest.h"

const EventMap& GWaitLetterAction::eventMap()
{
	using A = GWaitLetterAction;
	static const EventMap table =
	    extendEventMap(rootEventMap(), {{GEventLetterRequest::TypeId, &eventHandler<A, CEvent, &A::onLetterRequest>}});
	return table;
}

bool GWaitLetterAction::onLetterRequest(CEvent*)
{
	done = true;
	return false;
}
