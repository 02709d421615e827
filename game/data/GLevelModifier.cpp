#include "GLevelModifier.h"
#include "CheckedNumber.h"

#include "GAddingModifier.h"
#include "GFlagModifier.h"
#include "GMultiplyingModifier.h"
#include "content/IXMLReader.h"

void GLevelModifier::read(IXMLReader* reader)
{
	static const irr::core::stringw valueAttribute(L"Value");
	if (!reader)
		return;
	if (reader->getAttributeValue(valueAttribute).empty())
		value = getMissingValue();
	else
		value = readFloatAttribute(reader, valueAttribute.c_str(), getMissingValue());
}

namespace
{
template <class Field> struct ModifierType
{
	const wchar_t* name;
	Field GLevelModifierValues::*field;
};

using FactorType = ModifierType<float>;
using FlagType = ModifierType<bool>;

const FactorType multiplyingTypes[] = {
    {L"MaterialDeliveryTimeM", &GLevelModifierValues::materialDeliveryTimeM},
    {L"WorkerDeliveryTimeM", &GLevelModifierValues::workerDeliveryTimeM},
    {L"MaterialPriceM", &GLevelModifierValues::materialPriceM},
    {L"WorkerPriceM", &GLevelModifierValues::workerPriceM},
    {L"BuildTimeM", &GLevelModifierValues::buildTimeM},
    {L"GuestsCountM", &GLevelModifierValues::guestsCountM},
};

const FactorType addingTypes[] = {
    {L"WorkersCostA", &GLevelModifierValues::workersCostA},
    {L"PyramidIncomeBonus", &GLevelModifierValues::pyramidIncomeBonus},
    {L"StationIncomeBonus1", &GLevelModifierValues::stationIncomeBonus1},
    {L"StationIncomeBonus2", &GLevelModifierValues::stationIncomeBonus2},
    {L"AquaParkIncomeBonus", &GLevelModifierValues::aquaParkIncomeBonus},
    {L"PRIncomeBonus", &GLevelModifierValues::prIncomeBonus},
    {L"BuyNotForSaleBuildingPriceBonus", &GLevelModifierValues::buyNotForSaleBuildingPriceBonus},
    {L"BuyBuildingPriceDiscount", &GLevelModifierValues::buyBuildingPriceDiscount},
    {L"OwnedBuildingPriceBonus", &GLevelModifierValues::ownedBuildingPriceBonus},
};

const FlagType flagTypes[] = {
    {L"CanReceiveMoneyLetters", &GLevelModifierValues::canReceiveMoneyLetters},
    {L"CanBuildingsBroke", &GLevelModifierValues::canBuildingsBroke},
};
} // namespace

GLevelModifier* createLevelModifier(const irr::core::stringw& typeName)
{
	for (const FactorType& type : multiplyingTypes)
		if (typeName == type.name)
			return new GMultiplyingModifier(type.field);
	for (const FactorType& type : addingTypes)
		if (typeName == type.name)
			return new GAddingModifier(type.field);
	for (const FlagType& type : flagTypes)
		if (typeName == type.name)
			return new GFlagModifier(type.field);
	return nullptr;
}
