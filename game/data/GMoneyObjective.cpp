#include "GMoneyObjective.h"
#include "CheckedNumber.h"

#include "IObjectiveLevelView.h"
#include "content/IXMLReader.h"

bool GMoneyObjective::isComplete(const IObjectiveLevelView& level)
{
	return value <= level.getMoney();
}

irr::core::stringw GMoneyObjective::getText(const CDictionary&, bool) const
{
	return infoText;
}

irr::core::stringw GMoneyObjective::getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary)
{
	return moneyProgressText(dictionary, level.getMoney(), value);
}

void GMoneyObjective::read(IXMLReader* reader)
{
	value = readFloatAttribute(reader, L"Value", 0.0f, NumberRanges::Target, &valid);
	infoText = reader->getAttributeValue(L"InfoStr");
}
