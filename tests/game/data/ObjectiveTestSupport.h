#pragma once

#include "data/IObjectiveLevelView.h"

#include <vector>

// A level made of plain values, for the objectives.
class FakeObjectiveLevel : public IObjectiveLevelView
{
public:
	float getMoney() const override { return money; }
	float getIncomePerDay() const override { return income; }
	int getGuests() const override { return guests; }
	int getTotalWorkers() const override { return workers; }
	irr::u32 getBuildingCount() const override { return static_cast<irr::u32>(buildings.size()); }
	GObjectiveBuilding getBuilding(irr::u32 index) const override { return buildings[index]; }
	irr::u32 getHistoryCount() const override { return static_cast<irr::u32>(history.size()); }
	GObjectiveHistoryEntry getHistoryEntry(irr::u32 index) const override { return history[index]; }

	// Adds an owned building in normal condition standing on the place with the record at that level.
	GObjectiveBuilding& build(const char* place, const char* record, int level = 1)
	{
		GObjectiveBuilding building;
		building.nodeName = internStringId(place);
		building.owned = true;
		building.current = {true, internStringId(record), level};
		buildings.push_back(building);
		return buildings.back();
	}

	float money = 0.0f;
	float income = 0.0f;
	int guests = 0;
	int workers = 0;
	std::vector<GObjectiveBuilding> buildings;
	std::vector<GObjectiveHistoryEntry> history;
};
