#include "GHaveConcurrentFeaturesObjective.h"

#include "GameCodes.h"
#include "IObjectiveLevelView.h"
#include "LevelDataText.h"
#include "content/IXMLReader.h"

#include <vector>

namespace
{
// The building can run a feature of the paired type: owned, in use, normal, built.
bool canServePair(const GObjectiveBuilding& building, StringId type, int featureIndex)
{
	if (!building.owned || building.forSale || building.workKind == BuildingWork::Demolition ||
	    building.workKind == BuildingWork::WorkerJob || building.condition != BuildingCondition::Normal)
		return false;
	const GObjectiveRecord& record = building.workKind == BuildingWork::Build ? building.previous : building.current;
	if (!record.exists || record.level <= 0 || record.name != type)
		return false;
	return featureIndex >= 0 && static_cast<irr::u32>(featureIndex) < building.featureStates.size() &&
	       building.featureStates[static_cast<irr::u32>(featureIndex)] == 1;
}
} // namespace

bool GHaveConcurrentFeaturesObjective::isComplete(const IObjectiveLevelView& level)
{
	if (!latch && count(level) >= getPairCount())
		latch = true;
	return latch;
}

irr::core::stringw GHaveConcurrentFeaturesObjective::getText(const CDictionary&, bool) const
{
	return infoText;
}

irr::core::stringw GHaveConcurrentFeaturesObjective::getProgressText(const IObjectiveLevelView& level,
                                                                     const CDictionary&)
{
	return countText(count(level), getPairCount());
}

int GHaveConcurrentFeaturesObjective::count(const IObjectiveLevelView& level) const
{
	const irr::u32 buildingCount = level.getBuildingCount();
	std::vector<GObjectiveBuilding> buildings;
	buildings.reserve(buildingCount);
	for (irr::u32 i = 0; i < buildingCount; ++i)
		buildings.push_back(level.getBuilding(i));
	std::vector<bool> used(buildingCount, false);
	int counted = 0;
	for (irr::u32 k = 0; k < buildingTypes.size(); ++k)
		for (irr::u32 i = 0; i < buildingCount; ++i)
		{
			if (used[i] || !canServePair(buildings[i], buildingTypes[k], featureIndices[k]))
				continue;
			used[i] = true;
			++counted;
			break;
		}
	return counted;
}

void GHaveConcurrentFeaturesObjective::read(IXMLReader* reader)
{
	buildingTypes = parseIdListW(reader->getAttributeValue(L"BuildingTypes"));
	featureIndices = parseIntListW(reader->getAttributeValue(L"FeatureIndices").c_str());
	infoText = reader->getAttributeValue(L"InfoStr");
	const irr::u32 pairs = buildingTypes.size() < featureIndices.size() ? buildingTypes.size() : featureIndices.size();
	buildingTypes.set_used(pairs);
	featureIndices.set_used(pairs);
}
