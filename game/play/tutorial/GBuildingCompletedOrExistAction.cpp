#include "GBuildingCompletedOrExistAction.h"

#include "core/SmartPointer.h"
#include "data/GEventBuildingExistsQuery.h"

void GBuildingCompletedOrExistAction::update(int)
{
	if (!target)
		return;
	SmartPointer<GEventBuildingExistsQuery> query(new GEventBuildingExistsQuery(buildings));
	target->onEvent(query.get());
	if (query->exists)
		done = true;
}
