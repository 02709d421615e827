#include "GWaitDirtyAction.h"

#include "data/GEventDirtyBuildingRequest.h"

const EventMap& GWaitDirtyAction::eventMap()
{
	using A = GWaitDirtyAction;
	static const EventMap table = extendEventMap(
	    rootEventMap(), {{GEventDirtyBuildingRequest::TypeId, &eventHandler<A, CEvent, &A::onDirtyRequest>}});
	return table;
}

bool GWaitDirtyAction::onDirtyRequest(CEvent*)
{
	done = true;
	return false;
}
