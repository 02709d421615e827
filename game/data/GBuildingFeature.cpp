#include "GBuildingFeature.h"
#include "CheckedNumber.h"

#include "content/IXMLReader.h"
#include "core/TextUtils.h"

bool GBuildingFeature::hasEffect(StringId effect) const
{
	for (StringId e : effects)
		if (e == effect)
			return true;
	return false;
}

void GBuildingFeature::read(IXMLReader* reader)
{
	static const irr::core::stringw featureElement(L"ActiveFeature");
	static const irr::core::stringw effectElement(L"Feature");
	static const irr::core::stringw modifiersElement(L"LevelModifiers");
	static const irr::core::stringw typeAttribute(L"Type");
	effects.clear();
	if (!reader)
		return;
	buttonName = internStringId(narrow(reader->getAttributeValue(L"ButtonName")));
	durationTime = readIntAttribute(reader, L"DurationTime", 15000);
	rechargeTime = readIntAttribute(reader, L"RechargeTime", durationTime);
	moneyCost = readFloatAttribute(reader, L"MoneyCost", 0.0f);
	name = reader->getAttributeValue(L"Name");
	infoText = reader->getAttributeValue(L"InfoText");
	buttonInfoText = reader->getAttributeValue(L"ButtonInfoText");
	if (reader->isEmptyElement())
		return;

	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == featureElement)
			return;
		if (type != XML_NODE_ELEMENT)
			continue;
		if (reader->getNodeName() == modifiersElement)
		{
			levelModifiers.reset(new GLevelModifierList());
			levelModifiers->load(reader);
		}
		else if (reader->getNodeName() == effectElement)
			effects.push_back(internStringId(narrow(reader->getAttributeValue(typeAttribute))));
	}
}
