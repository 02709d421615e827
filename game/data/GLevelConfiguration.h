#pragma once

#include "GResourceOffer.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>

class CPropertyCollection;
class GObjectiveList;
class GRandomEventList;
class IXMLReader;

// One level's LevelConfiguration.xml in memory: name and texts, starting resources, targets, allowed
// buildings, sale timers, objectives and random events and the fixed offer lists.
class GLevelConfiguration : public virtual ReferenceCounted
{
public:
	// The file's name inside a level folder ("levels/" + folder name + "/").
	static constexpr const char* FileName = "LevelConfiguration.xml";
	// Used for a DayLength of 0 or below, which would end a day every tick.
	static constexpr int DefaultDayLength = 60;

	GLevelConfiguration();
	~GLevelConfiguration() override;

	// Reads an opened file; true when the end of its Level element was met.
	bool load(IXMLReader* reader);
	// Copies the known properties; absent ones leave their fields unchanged. Sets the offer lists.
	void readProperties(const CPropertyCollection& properties);
	// Rating points needed for the star index; the last entry past the end.
	int getRatingStep(unsigned index) const;

	const irr::core::stringw& getName() const { return name; }
	const irr::core::stringw& getDescription() const { return description; }
	int getLevelNumber() const { return levelNumber; }
	int getSettingIndex() const { return settingIndex; }
	const irr::core::array<irr::core::stringc>& getUnlockLevels() const { return unlockLevels; }
	const irr::core::array<StringId>& getAvailableBuildings() const { return availableBuildings; }
	GObjectiveList* getObjectives() const { return objectives.get(); }
	GRandomEventList* getRandomEvents() const { return randomEvents.get(); }

	int getLevelTime() const { return levelTime; }
	int getScore() const { return score; }
	int getExpertScore() const { return expertScore; }
	// The level start takes these from the level scores table.
	void setLevelTime(int seconds) { levelTime = seconds; }
	void setScore(int value) { score = value; }
	void setExpertScore(int value) { expertScore = value; }
	int getDayLength() const { return dayLength; }

	float getInitMoney() const { return initMoney; }
	float getInitRating() const { return initRating; }
	float getInitMaterialsCount() const { return initMaterialsCount; }
	int getInitWorkersCount() const { return initWorkersCount; }
	float getIncomeBonus1() const { return incomeBonus1; }
	float getIncomeBonus2() const { return incomeBonus2; }
	const irr::core::array<StringId>& getPyramidIncomeBonusPlaces() const { return pyramidIncomeBonusPlaces; }
	float getStationIncomeBonus1() const { return stationIncomeBonus1; }
	float getStationIncomeBonus2() const { return stationIncomeBonus2; }
	const irr::core::array<StringId>& getStationIncomeBonus1BuildingTypes() const { return stationBonus1Types; }
	const irr::core::array<StringId>& getStationIncomeBonus2BuildingTypes() const { return stationBonus2Types; }

	const irr::core::vector2df& getBuildingsSellTime() const { return buildingsSellTime; }
	const irr::core::vector2df& getBuildingsBuyRequestTime() const { return buyRequestTime; }
	const irr::core::vector2df& getBuildingsBuyRequestTimeWaiting() const { return buyRequestTimeWaiting; }
	const irr::core::vector2df& getBuildingsBuyRequestPriceMultiplier() const { return buyRequestPriceMultiplier; }

	const irr::core::array<SmartPointer<GResourceOffer>>& getMaterialOffers() const { return materialOffers; }
	const irr::core::array<SmartPointer<GResourceOffer>>& getWorkerOffers() const { return workerOffers; }

	bool isRatingOn() const { return ratingOn; }
	bool isClockOn() const { return clockOn; }
	bool isBuildingLevelOn() const { return buildingLevelOn; }
	bool isBuildingPlaceLuckinessOn() const { return buildingPlaceLuckinessOn; }
	bool isSellOn() const { return sellOn; }
	bool isNotOwnedDecorationsDirty() const { return notOwnedDecorationsDirty; }

private:
	void setOffers();

	irr::core::stringw name;
	irr::core::stringw description;
	int levelNumber = -1; // the leading integer of the name, once properties were read
	int settingIndex = 1; // scenery: music and building looks; 4 is snow
	irr::core::array<irr::core::stringc> unlockLevels;
	irr::core::array<StringId> availableBuildings; // records that may be built
	SmartPointer<GObjectiveList> objectives;
	SmartPointer<GRandomEventList> randomEvents;
	int levelTime = -1; // s, for the expert score and the clock
	int score = 0;
	int expertScore = 0;
	int dayLength = DefaultDayLength; // s
	float initMoney = 0.0f;
	float initRating = 0.0f;
	float initMaterialsCount = 0.0f;
	int initWorkersCount = 0;
	float incomeBonus1 = 0.0f; // places of luckiness 1
	float incomeBonus2 = 0.0f; // places of luckiness -1
	irr::core::array<StringId> pyramidIncomeBonusPlaces;
	float stationIncomeBonus1 = 0.0f;
	float stationIncomeBonus2 = 0.0f;
	irr::core::array<StringId> stationBonus1Types;
	irr::core::array<StringId> stationBonus2Types;
	irr::core::vector2df buildingsSellTime{10000.0f, 60000.0f};     // ms
	irr::core::vector2df buyRequestTime{10000.0f, 60000.0f};        // ms
	irr::core::vector2df buyRequestTimeWaiting{10000.0f, 20000.0f}; // ms
	irr::core::vector2df buyRequestPriceMultiplier{0.8f, 1.0f};
	irr::core::array<SmartPointer<GResourceOffer>> materialOffers;
	irr::core::array<SmartPointer<GResourceOffer>> workerOffers;
	bool ratingOn = true;
	bool clockOn = true;
	bool buildingLevelOn = true;
	bool buildingPlaceLuckinessOn = true;
	bool sellOn = true;
	bool notOwnedDecorationsDirty = false;
	irr::core::array<int> ratingSteps;
};
