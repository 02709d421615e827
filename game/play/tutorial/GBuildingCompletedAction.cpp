#include "GBuildingCompletedAction.h"

#include "data/GBuildingType.h"
#include "data/GEventWorkCompleted.h"
#include "level/GBuildingNode.h"
#include "scene/NodeEvents.h"

const EventMap& GBuildingCompletedAction::eventMap()
{
	using A = GBuildingCompletedAction;
	static const EventMap table = extendEventMap(
	    rootEventMap(), {{GEventWorkCompleted::TypeId, &eventHandler<A, GEventWorkCompleted, &A::onWorkCompleted>},
	                     {CEventNodeClicked::TypeId, &eventHandler<A, CEventNodeClicked, &A::onClicked>}});
	return table;
}

void GBuildingCompletedAction::load(IXMLReader* reader)
{
	buildings = readIds(reader, namesAttribute());
}

bool GBuildingCompletedAction::onWorkCompleted(GEventWorkCompleted* event)
{
	const GBuildingType* record = event->building ? event->building->getRecord() : nullptr;
	if (record && contains(buildings, record->getName()))
		done = true;
	return false;
}

bool GBuildingCompletedAction::onClicked(CEventNodeClicked* event)
{
	if (!event->control || event->control->getName() != internStringId("AbortButton"))
		return false;
	playMissed();
	return true;
}
