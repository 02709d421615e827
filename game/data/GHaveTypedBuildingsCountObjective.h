#pragma once

#include "GObjective.h"

// Have at least Value buildings of the listed types on the listed places, optionally owned and with a
// minimum income bonus or served guests.
class GHaveTypedBuildingsCountObjective : public GObjective
{
public:
	// The MinIncomeBonus value that stands for "no minimum".
	static constexpr float NoMinimum = -10000.0f;

	bool isComplete(const IObjectiveLevelView& level) override;
	irr::core::stringw getText(const CDictionary& dictionary, bool full) const override;
	irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) override;
	void read(IXMLReader* reader) override;

	int count(const IObjectiveLevelView& level) const;

private:
	irr::core::array<StringId> buildingTypes; // empty: any built building
	irr::core::array<StringId> placeNames;    // empty: any place
	irr::core::stringw infoText;
	int value = 0;
	float minIncomeBonus = NoMinimum;
	int minServedGuests = 0; // tested only without an income-bonus minimum
	bool mustOwn = false;
};
