#include "GMouseClickAction.h"

#include "core/InputEvents.h"
#include "scene/NodeEvents.h"

const EventMap& GMouseClickAction::eventMap()
{
	using A = GMouseClickAction;
	static const EventMap table =
	    extendEventMap(rootEventMap(), {{CEventNodeClicked::TypeId, &eventHandler<A, CEvent, &A::onClick>},
	                                    {CEventNodeListItemClicked::TypeId, &eventHandler<A, CEvent, &A::onClick>},
	                                    // A press anywhere: on the hint, the grass or a control.
	                                    {CEventInputMouseLeftDown::TypeId, &eventHandler<A, CEvent, &A::onClick>}});
	return table;
}

bool GMouseClickAction::onClick(CEvent*)
{
	done = true;
	playMissed();
	return true;
}
