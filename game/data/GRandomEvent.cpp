#include "GRandomEvent.h"

#include "CheckedNumber.h"
#include "GEventBrokenBuildingRequest.h"
#include "GEventCafeBuildingRequest.h"
#include "GEventDirtyBuildingRequest.h"
#include "GEventLetterRequest.h"
#include "GEventSellBuildingRequest.h"
#include "GEventWeatherRequest.h"
#include "LevelDataText.h"
#include "content/IXMLReader.h"
#include "core/EventReceiver.h"
#include "core/NumberText.h"
#include "core/Random.h"
#include "core/SmartPointer.h"

#include <cstdint>

GRandomEvent::GRandomEvent(int requestType) : requestType(requestType)
{
	period = RunPeriod;
}

void GRandomEvent::stop()
{
	target = nullptr;
	setScheduler(nullptr);
}

void GRandomEvent::read(IXMLReader* reader)
{
	buildingTypes = parseIdListW(reader->getAttributeValue(L"BuildingTypes"));
	placeNames = parseIdListW(reader->getAttributeValue(L"PlaceNames"));
	moneyRange = checkedPair(parseVector2dW(reader->getAttributeValue(L"MoneyRange").c_str()), moneyRange,
	                         NumberRanges::Amount, "MoneyRange");
	waitTimeRange = checkedPair(parseVector2dW(reader->getAttributeValue(L"WaitTimeRange").c_str()), waitTimeRange,
	                            NumberRanges::Amount, "WaitTimeRange");
	durationTimeRange = readTimeRange(reader, L"DurationTimeRange", durationTimeRange);
}

irr::core::vector2di GRandomEvent::readTimeRange(IXMLReader* reader, const wchar_t* name,
                                                 const irr::core::vector2di& fallback)
{
	return checkedPair(parseIntRange(reader->getAttributeValue(name).c_str()), fallback, NumberRanges::Amount,
	                   irr::core::stringc(name).c_str());
}

int GRandomEvent::pickInRange(const irr::core::vector2di& range)
{
	const std::int64_t low = range.X < range.Y ? range.X : range.Y;
	const std::int64_t high = range.X < range.Y ? range.Y : range.X;
	if (low == high)
		return static_cast<int>(low);
	// The span of two ints always fits in 32 unsigned bits.
	const std::uint32_t span = static_cast<std::uint32_t>(high - low);
	return static_cast<int>(low + Random::instance()->nextUInt() % span);
}

int GRandomEvent::pickDuration(const irr::core::vector2di& range)
{
	const int value = pickInRange(range);
	return value > 0 ? value : 0;
}

int GRandomEvent::elapse(int value, unsigned elapsed)
{
	const std::int64_t left = static_cast<std::int64_t>(value) - elapsed;
	return left < INT32_MIN ? INT32_MIN : static_cast<int>(left);
}

CEvent* GRandomEvent::createRequest() const
{
	switch (requestType)
	{
	case GEventSellBuildingRequest::TypeId:
		return new GEventSellBuildingRequest(buildingTypes, placeNames);
	case GEventBrokenBuildingRequest::TypeId:
		return new GEventBrokenBuildingRequest(buildingTypes, placeNames);
	case GEventDirtyBuildingRequest::TypeId:
		return new GEventDirtyBuildingRequest(buildingTypes, placeNames);
	case GEventCafeBuildingRequest::TypeId:
		return new GEventCafeBuildingRequest(buildingTypes, placeNames);
	case GEventLetterRequest::TypeId:
		return new GEventLetterRequest(buildingTypes, placeNames, moneyRange, waitTimeRange);
	case GEventWeatherRequest::TypeId:
		return new GEventWeatherRequest(durationTimeRange.X, durationTimeRange.Y);
	default:
		return nullptr;
	}
}

void GRandomEvent::sendRequest()
{
	if (!target)
		return;
	SmartPointer<CEvent> request(createRequest());
	if (request)
		target->deliverEvent(DeliverSelfThenParent, request.get());
}
