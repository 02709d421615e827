#include "GObjective.h"

#include "GameCodes.h"
#include "IObjectiveLevelView.h"
#include "content/CDictionary.h"
#include "content/IXMLReader.h"
#include "core/PropertyText.h"
#include "core/TextUtils.h"

#include <cmath>

bool GObjective::passesOwnership(const GObjectiveBuilding& building)
{
	return building.owned && !building.forSale && building.workKind != BuildingWork::WorkerJob &&
	       building.condition == BuildingCondition::Normal;
}

const GObjectiveRecord* GObjective::countedRecord(const GObjectiveBuilding& building)
{
	if (building.workKind == 2)
		return nullptr;
	const GObjectiveRecord& record = building.workKind == 1 ? building.previous : building.current;
	return record.exists && record.level > 0 ? &record : nullptr;
}

bool GObjective::readFlag(IXMLReader* reader, const wchar_t* name)
{
	return reader->getAttributeValue(name) == L"true";
}

irr::core::stringw GObjective::countText(int count, int target)
{
	irr::core::stringw text = intToStringW(count);
	text += L"/";
	text += intToStringW(target);
	return text;
}

irr::core::stringw GObjective::moneyProgressText(const CDictionary& dictionary, float value, float target)
{
	irr::core::stringw text =
	    dictionary.format("MoneyDollar", formatThousands(truncateToInt(std::floor(value + 0.5)), L','));
	text += L"/";
	text += dictionary.format("MoneyDollar", formatThousands(truncateToInt(target), L','));
	return text;
}
