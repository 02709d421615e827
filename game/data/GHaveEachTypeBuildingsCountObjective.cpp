#include "GHaveEachTypeBuildingsCountObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "LevelDataText.h"
#include "content/IXMLReader.h"

#include <cstdint>

bool GHaveEachTypeBuildingsCountObjective::isComplete(const IObjectiveLevelView& level)
{
	return sum(level) >= target();
}

irr::core::stringw GHaveEachTypeBuildingsCountObjective::getText(const CDictionary&, bool) const
{
	return infoText;
}

irr::core::stringw GHaveEachTypeBuildingsCountObjective::getProgressText(const IObjectiveLevelView& level,
                                                                         const CDictionary&)
{
	return countText(sum(level), target());
}

int GHaveEachTypeBuildingsCountObjective::target() const
{
	const std::int64_t total = static_cast<std::int64_t>(buildingTypes.size()) * value;
	return total > INT32_MAX ? INT32_MAX : static_cast<int>(total);
}

int GHaveEachTypeBuildingsCountObjective::sum(const IObjectiveLevelView& level) const
{
	if (buildingTypes.empty())
		return 0;
	irr::core::array<int> counters;
	counters.set_used(buildingTypes.size());
	for (irr::u32 k = 0; k < counters.size(); ++k)
		counters[k] = 0;
	for (irr::u32 i = 0; i < level.getBuildingCount(); ++i)
	{
		const GObjectiveBuilding building = level.getBuilding(i);
		if (mustOwn && !passesOwnership(building))
			continue;
		const GObjectiveRecord* record = countedRecord(building);
		if (!record)
			continue;
		for (irr::u32 k = 0; k < buildingTypes.size(); ++k)
		{
			if (buildingTypes[k] != record->name)
				continue;
			if (counters[k] < value)
				++counters[k];
			break;
		}
	}
	int total = 0;
	for (irr::u32 k = 0; k < counters.size(); ++k)
		total += counters[k];
	return total;
}

void GHaveEachTypeBuildingsCountObjective::read(IXMLReader* reader)
{
	buildingTypes = parseIdListW(reader->getAttributeValue(L"BuildingTypes"));
	infoText = reader->getAttributeValue(L"InfoStr");
	value = readIntAttribute(reader, L"Value", 0, NumberRanges::Target, &valid);
	mustOwn = readFlag(reader, L"MustOwn");
}
