#include "GIncomeObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "content/CDictionary.h"
#include "content/IXMLReader.h"
#include "core/PropertyText.h"
#include "core/TextUtils.h"

bool GIncomeObjective::isComplete(const IObjectiveLevelView& level)
{
	return value <= level.getIncomePerDay();
}

irr::core::stringw GIncomeObjective::getText(const CDictionary& dictionary, bool full) const
{
	return dictionary.format(full ? "Obj_IncomeFull" : "Obj_Income", formatThousands(truncateToInt(value), L','));
}

irr::core::stringw GIncomeObjective::getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary)
{
	return moneyProgressText(dictionary, level.getIncomePerDay(), value);
}

void GIncomeObjective::read(IXMLReader* reader)
{
	value = readFloatAttribute(reader, L"Value", 0.0f, NumberRanges::Target, &valid);
}
