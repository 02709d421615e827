#include "GHaveTypedBuildingsCountObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "LevelDataText.h"
#include "content/IXMLReader.h"

bool GHaveTypedBuildingsCountObjective::isComplete(const IObjectiveLevelView& level)
{
	return count(level) >= value;
}

irr::core::stringw GHaveTypedBuildingsCountObjective::getText(const CDictionary&, bool) const
{
	return infoText;
}

irr::core::stringw GHaveTypedBuildingsCountObjective::getProgressText(const IObjectiveLevelView& level,
                                                                      const CDictionary&)
{
	return countText(count(level), value);
}

int GHaveTypedBuildingsCountObjective::count(const IObjectiveLevelView& level) const
{
	int counted = 0;
	for (irr::u32 i = 0; i < level.getBuildingCount(); ++i)
	{
		const GObjectiveBuilding building = level.getBuilding(i);
		if (mustOwn && !passesOwnership(building))
			continue;
		if (minIncomeBonus != NoMinimum)
		{
			if (minIncomeBonus > building.incomeBonus)
				continue;
		}
		else if (minServedGuests > 0 && building.servedGuests < minServedGuests)
			continue;
		// Always through the record filter, so that an empty type list means "any built building" and
		// never counts empty places or buildings being demolished.
		const GObjectiveRecord* record = countedRecord(building);
		if (!record)
			continue;
		if (isEmptyOrContains(buildingTypes, record->name) && isEmptyOrContains(placeNames, building.nodeName))
			++counted;
	}
	return counted;
}

void GHaveTypedBuildingsCountObjective::read(IXMLReader* reader)
{
	buildingTypes = parseIdListW(reader->getAttributeValue(L"BuildingTypes"));
	placeNames = parseIdListW(reader->getAttributeValue(L"PlaceNames"));
	infoText = reader->getAttributeValue(L"InfoStr");
	value = readIntAttribute(reader, L"Value", 0, NumberRanges::Target, &valid);
	minIncomeBonus = readFloatAttribute(reader, L"MinIncomeBonus", NoMinimum, NumberRanges::Amount, &valid);
	minServedGuests = readIntAttribute(reader, L"MinServedGuests", 0, NumberRanges::Target, &valid);
	mustOwn = readFlag(reader, L"MustOwn");
}
