#include "GGenerateRequestAction.h"

#include "core/SmartPointer.h"
#include "data/GEventRequest.h"

void GGenerateRequestAction::update(int)
{
	if (!target)
		return;
	SmartPointer<GEventRequest> request(makeRequest(buildingTypes, placeNames));
	sendToTarget(target, request.get());
}

void GGenerateRequestAction::load(IXMLReader* reader)
{
	buildingTypes = readIds(reader, L"BuildingTypes");
	placeNames = readIds(reader, L"PlaceNames");
}
