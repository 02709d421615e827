#pragma once

#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "data/GLevelModifierValues.h"

#include <sstream>
#include <string>

// A pull reader over XML text held by the test.
inline SmartPointer<CXMLReader> xmlReader(const std::string& text)
{
	return SmartPointer<CXMLReader>(new CXMLReader(text.data(), text.size()));
}

// Reads on to the start tag of the named element; false when the text has none.
inline bool readToElement(IXMLReader& reader, const wchar_t* name)
{
	while (reader.read())
		if (reader.getNodeType() == XML_NODE_ELEMENT && reader.getNodeName() == name)
			return true;
	return false;
}

// The modifier values that differ from their defaults, as "Name=value" pairs in field order.
inline std::string describe(const GLevelModifierValues& v)
{
	const GLevelModifierValues d;
	std::ostringstream out;
	auto put = [&](const char* name, auto value, auto defaultValue)
	{
		if (value != defaultValue)
			out << (out.tellp() > 0 ? " " : "") << name << "=" << value;
	};
	put("MaterialDeliveryTimeM", v.materialDeliveryTimeM, d.materialDeliveryTimeM);
	put("WorkerDeliveryTimeM", v.workerDeliveryTimeM, d.workerDeliveryTimeM);
	put("MaterialPriceM", v.materialPriceM, d.materialPriceM);
	put("WorkerPriceM", v.workerPriceM, d.workerPriceM);
	put("WorkersCostA", v.workersCostA, d.workersCostA);
	put("BuildTimeM", v.buildTimeM, d.buildTimeM);
	put("CanReceiveMoneyLetters", v.canReceiveMoneyLetters, d.canReceiveMoneyLetters);
	put("CanBuildingsBroke", v.canBuildingsBroke, d.canBuildingsBroke);
	put("PyramidIncomeBonus", v.pyramidIncomeBonus, d.pyramidIncomeBonus);
	put("StationIncomeBonus1", v.stationIncomeBonus1, d.stationIncomeBonus1);
	put("StationIncomeBonus2", v.stationIncomeBonus2, d.stationIncomeBonus2);
	put("AquaParkIncomeBonus", v.aquaParkIncomeBonus, d.aquaParkIncomeBonus);
	put("PRIncomeBonus", v.prIncomeBonus, d.prIncomeBonus);
	put("BuyNotForSaleBuildingPriceBonus", v.buyNotForSaleBuildingPriceBonus, d.buyNotForSaleBuildingPriceBonus);
	put("BuyBuildingPriceDiscount", v.buyBuildingPriceDiscount, d.buyBuildingPriceDiscount);
	put("OwnedBuildingPriceBonus", v.ownedBuildingPriceBonus, d.ownedBuildingPriceBonus);
	put("GuestsCountM", v.guestsCountM, d.guestsCountM);
	return out.str();
}

// One item of a Properties element: <type Name="name" Value="value"/>.
inline std::string property(const std::string& type, const std::string& name, const std::string& value)
{
	return "<" + type + " Name=\"" + name + "\" Value=\"" + value + "\"/>";
}

// A Building element with these Properties items and further children after them.
inline std::string buildingXml(const std::string& properties, const std::string& children = "")
{
	return "<Building><Properties>" + properties + "</Properties>" + children + "</Building>";
}

// A Building element of the given Name and more Properties items.
inline std::string namedBuildingXml(const std::string& name, const std::string& properties = "",
                                    const std::string& children = "")
{
	return buildingXml(property("string", "Name", name) + properties, children);
}

inline std::string buildingsConfigurationXml(const std::string& buildings)
{
	return "<?xml version=\"1.0\"?>\n<BuildingsConfiguration>" + buildings + "</BuildingsConfiguration>";
}
