#include "GWorkersObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "content/CDictionary.h"
#include "content/IXMLReader.h"
#include "core/TextUtils.h"

bool GWorkersObjective::isComplete(const IObjectiveLevelView& level)
{
	return level.getTotalWorkers() >= value;
}

irr::core::stringw GWorkersObjective::getText(const CDictionary& dictionary, bool) const
{
	return dictionary.format("Obj_Workers", intToStringW(value));
}

irr::core::stringw GWorkersObjective::getProgressText(const IObjectiveLevelView& level, const CDictionary&)
{
	return countText(level.getTotalWorkers(), value);
}

void GWorkersObjective::read(IXMLReader* reader)
{
	value = readIntAttribute(reader, L"Value", 0, NumberRanges::Target, &valid);
}
