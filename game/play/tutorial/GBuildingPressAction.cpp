#include "GBuildingPressAction.h"

#include "data/GBuildingType.h"
#include "level/GBuildingNode.h"
#include "scene/NodeEvents.h"

const EventMap& GBuildingPressAction::eventMap()
{
	using A = GBuildingPressAction;
	static const EventMap table = extendEventMap(
	    rootEventMap(), {{CEventNodeClicked::TypeId, &eventHandler<A, CEventNodeClicked, &A::onClicked>},
	                     {CEventNodeListItemClicked::TypeId, &eventHandler<A, CEvent, &A::onListItemClicked>}});
	return table;
}

void GBuildingPressAction::load(IXMLReader* reader)
{
	buildingTypes = readIds(reader, L"BuildingTypes");
}

bool GBuildingPressAction::onClicked(CEventNodeClicked* event)
{
	const GBuildingNode* building = nodeCast<GBuildingNode>(event->control);
	if (building && building->getRecord() && contains(buildingTypes, building->getRecord()->getName()))
	{
		done = true;
		return false;
	}
	playMissed();
	return true;
}

bool GBuildingPressAction::onListItemClicked(CEvent*)
{
	return true;
}
