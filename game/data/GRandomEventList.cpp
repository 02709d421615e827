#include "GRandomEventList.h"

#include "ConfigReading.h"
#include "GEventBrokenBuildingRequest.h"
#include "GEventCafeBuildingRequest.h"
#include "GEventDirtyBuildingRequest.h"
#include "GEventLetterRequest.h"
#include "GEventSellBuildingRequest.h"
#include "GEventWeatherRequest.h"
#include "GOneTimeRandomEvent.h"
#include "GRegularRandomEvent.h"
#include "content/IXMLReader.h"

namespace
{
struct RandomEventType
{
	const wchar_t* name;
	bool regular;
	int requestType;
};

const RandomEventType randomEventTypes[] = {
    {L"OneTimeSellBuildingRequest", false, GEventSellBuildingRequest::TypeId},
    {L"RegularSellBuildingRequest", true, GEventSellBuildingRequest::TypeId},
    {L"OneTimeBrokenBuildingRequest", false, GEventBrokenBuildingRequest::TypeId},
    {L"RegularBrokenBuildingRequest", true, GEventBrokenBuildingRequest::TypeId},
    {L"OneTimeDirtyBuildingRequest", false, GEventDirtyBuildingRequest::TypeId},
    {L"RegularDirtyBuildingRequest", true, GEventDirtyBuildingRequest::TypeId},
    {L"OneTimeCafeBuildingRequest", false, GEventCafeBuildingRequest::TypeId},
    {L"RegularCafeBuildingRequest", true, GEventCafeBuildingRequest::TypeId},
    {L"OneTimeLetterRequest", false, GEventLetterRequest::TypeId},
    {L"RegularLetterRequest", true, GEventLetterRequest::TypeId},
    {L"RegularWeatherEffectRequest", true, GEventWeatherRequest::TypeId},
};
} // namespace

SmartPointer<GRandomEvent> createRandomEvent(const irr::core::stringw& typeName)
{
	for (const RandomEventType& type : randomEventTypes)
	{
		if (typeName != type.name)
			continue;
		if (type.regular)
			return SmartPointer<GRandomEvent>(new GRegularRandomEvent(type.requestType));
		return SmartPointer<GRandomEvent>(new GOneTimeRandomEvent(type.requestType));
	}
	return nullptr;
}

GRandomEventList::GRandomEventList() = default;

GRandomEventList::~GRandomEventList()
{
	clear();
}

void GRandomEventList::clear()
{
	// Events leave their scheduler with the list, so none runs on for a level that is gone.
	for (irr::u32 i = 0; i < events.size(); ++i)
		events[i]->stop();
	events.clear();
}

void GRandomEventList::load(IXMLReader* reader)
{
	clear();
	if (!reader || reader->isEmptyElement())
		return;
	const auto readEvent = [&]()
	{
		SmartPointer<GRandomEvent> event = createRandomEvent(reader->getAttributeValue(L"Type"));
		if (!event)
			return;
		event->read(reader);
		events.push_back(event);
	};
	readListItems(reader, L"RandomEvents", L"Event", readEvent);
}
