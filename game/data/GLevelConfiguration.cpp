#include "GLevelConfiguration.h"

#include "GObjectiveList.h"
#include "GRandomEventList.h"
#include "GResourceOffer.h"
#include "LevelDataText.h"
#include "PropertyFields.h"
#include "content/IXMLReader.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataVector2d.h"
#include "core/NumberText.h"

namespace
{
struct OfferEntry
{
	float amount;
	float price;
	float time; // ms
};

const OfferEntry materialOfferTable[] = {
    {125, 12500, 5000},  {250, 22500, 6000},    {500, 40000, 7000},
    {1000, 75000, 9000}, {2500, 150000, 10000}, {5000, 250000, 12000},
};

const OfferEntry workerOfferTable[] = {
    {1, 50000, 5000},
    {2, 90000, 7000},
    {3, 125000, 10000},
    {4, 150000, 12000},
};

// Reads the properties the configuration knows, each only when present.
class PropertyReader
{
public:
	explicit PropertyReader(const CPropertyCollection& properties) : properties(properties) {}

	// Values of another type read as 0 (false, 0;0); numbers out of their range are refused.
	void readInt(const char* key, int& field, NumberRange range = NumberRanges::Amount) const
	{
		takeIntProperty(properties, key, field, range);
	}
	void readFloat(const char* key, float& field) const { takeFloatProperty(properties, key, field); }
	void readBool(const char* key, bool& field) const
	{
		if (has(key))
			field = properties.getBool(key);
	}
	void readRange(const char* key, irr::core::vector2df& field) const { takeVector2dProperty(properties, key, field); }
	// Texts and lists take the text form of a value of any type.
	void readText(const char* key, irr::core::stringw& field) const
	{
		if (has(key))
			field = properties.get(key)->toStringW();
	}
	void readIds(const char* key, irr::core::array<StringId>& field) const
	{
		if (has(key))
			field = parseIdListW(properties.get(key)->toStringW());
	}
	bool has(const char* key) const { return properties.get(key).get() != nullptr; }
	irr::core::stringc text(const char* key) const { return properties.getString(key); }

private:
	const CPropertyCollection& properties;
};
} // namespace

GLevelConfiguration::GLevelConfiguration() : objectives(new GObjectiveList()), randomEvents(new GRandomEventList())
{
	ratingSteps.push_back(0);
	ratingSteps.push_back(50);
}

GLevelConfiguration::~GLevelConfiguration() = default;

bool GLevelConfiguration::load(IXMLReader* reader)
{
	if (!reader)
		return false;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == L"Level")
			return true;
		if (type != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& element = reader->getNodeName();
		if (element == L"Level" && reader->isEmptyElement())
			return true;
		if (element == L"Properties")
		{
			SmartPointer<CPropertyCollection> properties(new CPropertyCollection());
			properties->readXml(reader);
			readProperties(*properties);
		}
		else if (element == L"Objectives")
			objectives->load(reader);
		else if (element == L"RandomEvents")
			randomEvents->load(reader);
		else if (element != L"Level")
			skipElement(reader);
	}
	return false;
}

void GLevelConfiguration::readProperties(const CPropertyCollection& properties)
{
	const PropertyReader in(properties);
	in.readText("Name", name);
	levelNumber = checkedInt(wideToInt(name.c_str()), 0, NumberRanges::Amount, "Name");
	in.readText("Description", description);
	in.readInt("SettingIndex", settingIndex, NumberRanges::LevelIndex);
	if (in.has("UnlockLevels"))
		unlockLevels = splitText(in.text("UnlockLevels"), ';');
	in.readIds("AvailableBuildingsForBuild", availableBuildings);
	in.readInt("LevelTime", levelTime, NumberRanges::Seconds);
	in.readInt("Score", score, NumberRanges::Target);
	in.readInt("ExpertScore", expertScore, NumberRanges::Target);
	in.readInt("DayLength", dayLength, NumberRanges::Seconds);
	if (dayLength <= 0)
		dayLength = DefaultDayLength;
	in.readFloat("InitMoney", initMoney);
	in.readFloat("InitRating", initRating);
	in.readFloat("InitMaterialsCount", initMaterialsCount);
	in.readInt("InitWorkersCount", initWorkersCount);
	in.readFloat("IncomeBonus1", incomeBonus1);
	in.readFloat("IncomeBonus2", incomeBonus2);
	in.readIds("PyramidIncomeBonusPlaces", pyramidIncomeBonusPlaces);
	in.readFloat("StationIncomeBonus1", stationIncomeBonus1);
	in.readFloat("StationIncomeBonus2", stationIncomeBonus2);
	in.readIds("StationIncomeBonus1BuildingTypes", stationBonus1Types);
	in.readIds("StationIncomeBonus2BuildingTypes", stationBonus2Types);
	in.readRange("BuildingsSellTime", buildingsSellTime);
	in.readRange("BuildingsBuyRequestTime", buyRequestTime);
	in.readRange("BuildingsBuyRequestTimeWaiting", buyRequestTimeWaiting);
	in.readRange("BuildingsBuyRequestPriceMultiplier", buyRequestPriceMultiplier);
	setOffers();
	in.readBool("IsRatingOn", ratingOn);
	in.readBool("IsClockOn", clockOn);
	in.readBool("IsBuildingLevelOn", buildingLevelOn);
	in.readBool("IsBuildingPlaceLuckinessOn", buildingPlaceLuckinessOn);
	in.readBool("IsSellOn", sellOn);
	in.readBool("IsNotOwnedDecorationsDirty", notOwnedDecorationsDirty);
}

void GLevelConfiguration::setOffers()
{
	// The lists are fixed: every reading sets them anew, so a second Properties element does not repeat them.
	materialOffers.clear();
	for (const OfferEntry& entry : materialOfferTable)
		materialOffers.push_back(
		    SmartPointer<GResourceOffer>(new GResourceOffer(entry.amount, entry.price, entry.time)));
	workerOffers.clear();
	for (const OfferEntry& entry : workerOfferTable)
		workerOffers.push_back(SmartPointer<GResourceOffer>(new GResourceOffer(entry.amount, entry.price, entry.time)));
}

int GLevelConfiguration::getRatingStep(unsigned index) const
{
	if (ratingSteps.empty())
		return 0;
	return index < ratingSteps.size() ? ratingSteps[index] : ratingSteps.getLast();
}
