#include "GTypedHistoryActionsCountObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "LevelDataText.h"
#include "content/IXMLReader.h"

bool GTypedHistoryActionsCountObjective::isComplete(const IObjectiveLevelView& level)
{
	return count(level) >= value;
}

irr::core::stringw GTypedHistoryActionsCountObjective::getText(const CDictionary&, bool) const
{
	return infoText;
}

irr::core::stringw GTypedHistoryActionsCountObjective::getProgressText(const IObjectiveLevelView& level,
                                                                       const CDictionary&)
{
	return countText(count(level), value);
}

int GTypedHistoryActionsCountObjective::count(const IObjectiveLevelView& level) const
{
	int counted = 0;
	for (irr::u32 i = 0; i < level.getHistoryCount(); ++i)
	{
		const GObjectiveHistoryEntry entry = level.getHistoryEntry(i);
		if (entry.action == action && isEmptyOrContains(buildingTypes, entry.buildingType) &&
		    isEmptyOrContains(placeNames, entry.placeName))
			++counted;
	}
	return counted;
}

void GTypedHistoryActionsCountObjective::read(IXMLReader* reader)
{
	buildingTypes = parseIdListW(reader->getAttributeValue(L"BuildingTypes"));
	placeNames = parseIdListW(reader->getAttributeValue(L"PlaceNames"));
	infoText = reader->getAttributeValue(L"InfoStr");
	action = readIntAttribute(reader, L"Action", 0, NumberRanges::Amount, &valid);
	value = readIntAttribute(reader, L"Value", 0, NumberRanges::Target, &valid);
}
