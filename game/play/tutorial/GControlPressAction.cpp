#include "GControlPressAction.h"

#include "scene/BaseNode.h"
#include "scene/NodeEvents.h"

const EventMap& GControlPressAction::eventMap()
{
	using A = GControlPressAction;
	static const EventMap table = extendEventMap(
	    rootEventMap(), {{CEventNodeClicked::TypeId, &eventHandler<A, CEventNodeClicked, &A::onClicked>},
	                     {CEventNodeListItemClicked::TypeId, &eventHandler<A, CEvent, &A::onListItemClicked>}});
	return table;
}

void GControlPressAction::load(IXMLReader* reader)
{
	controls = readIds(reader, L"Controls");
}

bool GControlPressAction::onClicked(CEventNodeClicked* event)
{
	if (event->control && contains(controls, event->control->getName()))
	{
		done = true;
		return false;
	}
	playMissed();
	return true;
}

bool GControlPressAction::onListItemClicked(CEvent*)
{
	return true;
}
