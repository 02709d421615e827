#include "GUpgrade.h"

#include "CheckedNumber.h"
#include "content/IXMLReader.h"
#include "core/TextUtils.h"


GUpgrade::GUpgrade() : levelModifiers(new GLevelModifierList()) {}

namespace
{
const irr::core::stringw valueAttribute(L"Value");

// The interned text; none when it is empty.
StringId nameOf(const irr::core::stringw& text)
{
	return text.empty() ? StringId() : internStringId(narrow(text));
}

StringId valueName(const IXMLReader& reader)
{
	return nameOf(reader.getAttributeValue(valueAttribute));
}

// The file counts features from 1; an absent index gives -1.
int featureIndexOf(const IXMLReader& reader)
{
	return readIntAttribute(&reader, L"FeatureIndex", 0, NumberRanges::LevelIndex) - 1;
}
} // namespace

void GUpgrade::read(IXMLReader* reader)
{
	static const irr::core::stringw upgradeElement(L"Upgrade");
	allowedBuildings.clear();
	allowedFeatures.clear();
	if (!reader || reader->isEmptyElement())
		return;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == upgradeElement)
			return;
		if (type != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& element = reader->getNodeName();
		if (element == L"Name")
			name = valueName(*reader);
		else if (element == L"Info")
			info = reader->getAttributeValue(valueAttribute);
		else if (element == L"Price")
			price = readIntAttribute(reader, valueAttribute.c_str(), 0, NumberRanges::Target);
		else if (element == L"Level")
			level = readIntAttribute(reader, valueAttribute.c_str(), 0, NumberRanges::LevelIndex);
		else if (element == L"ObligatoryLevel")
			obligatoryLevel = readIntAttribute(reader, valueAttribute.c_str(), 0, NumberRanges::LevelIndex);
		else if (element == L"AllowsBuilding")
		{
			const StringId building = valueName(*reader);
			if (!building.isEmpty())
				allowedBuildings.push_back(building);
		}
		else if (element == L"AllowsBuildingFeature")
		{
			allowedFeatures.push_back({nameOf(reader->getAttributeValue(L"Building")), featureIndexOf(*reader)});
		}
		else if (element == L"LevelModifiers")
		{
			// A fresh list: the one a running level holds keeps its modifiers.
			levelModifiers.reset(new GLevelModifierList());
			levelModifiers->load(reader);
		}
	}
}
