#pragma once

#include "core/StringId.h"

#include <irrlicht/irrArray.h>

// A building level record as the objectives see it: missing, or a name and a level (0 an empty place).
struct GObjectiveRecord
{
	bool exists = false;
	StringId name;
	int level = 0;
};

// What one building of the level shows the objectives.
struct GObjectiveBuilding
{
	StringId nodeName;
	bool owned = false;
	bool forSale = false;
	int workKind = 0;  // 0 none, 1 build or upgrade, 2 demolition, 3 worker job, 4 serving, 5 feature
	int condition = 0; // 0 normal
	float incomeBonus = 0.0f;
	GObjectiveRecord current;
	GObjectiveRecord previous;           // the record before a running build or upgrade
	int servedGuests = 0;                // guests the building serves with its current record
	irr::core::array<int> featureStates; // 0 idle, 1 active, 2 recharging
};

// One entry of the level's history of actions.
struct GObjectiveHistoryEntry
{
	int action = 0; // 0 built or upgraded, 1 demolished, 2 bought, 3 sold, 4 repaired, 5-7 feature ended, 8 cleaned
	StringId buildingType;
	StringId placeName;
};

// The level values the objectives test, given by the level scene (and by stand-ins in tests).
class IObjectiveLevelView
{
public:
	virtual ~IObjectiveLevelView() = default;

	virtual float getMoney() const = 0;
	virtual float getIncomePerDay() const = 0;
	virtual int getGuests() const = 0;
	virtual int getTotalWorkers() const = 0;
	// Buildings in level order.
	virtual irr::u32 getBuildingCount() const = 0;
	virtual GObjectiveBuilding getBuilding(irr::u32 index) const = 0;
	virtual irr::u32 getHistoryCount() const = 0;
	virtual GObjectiveHistoryEntry getHistoryEntry(irr::u32 index) const = 0;
};
