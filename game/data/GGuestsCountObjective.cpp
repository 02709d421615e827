#include "GGuestsCountObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "content/CDictionary.h"
#include "content/IXMLReader.h"
#include "core/TextUtils.h"

bool GGuestsCountObjective::isComplete(const IObjectiveLevelView& level)
{
	return level.getGuests() >= value;
}

irr::core::stringw GGuestsCountObjective::getText(const CDictionary& dictionary, bool) const
{
	return dictionary.format("Obj_HaveGuests", intToStringW(value));
}

irr::core::stringw GGuestsCountObjective::getProgressText(const IObjectiveLevelView& level, const CDictionary&)
{
	return countText(level.getGuests(), value);
}

void GGuestsCountObjective::read(IXMLReader* reader)
{
	value = readIntAttribute(reader, L"Value", 0, NumberRanges::Target, &valid);
}
