#pragma once

#include "GObjective.h"

// Have Value buildings of each listed type; each type counts at most Value towards the sum.
class GHaveEachTypeBuildingsCountObjective : public GObjective
{
public:
	bool isComplete(const IObjectiveLevelView& level) override;
	irr::core::stringw getText(const CDictionary& dictionary, bool full) const override;
	irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) override;
	void read(IXMLReader* reader) override;

	int sum(const IObjectiveLevelView& level) const;
	// Value for each type, held at the int range's top.
	int target() const;

private:
	irr::core::array<StringId> buildingTypes;
	irr::core::stringw infoText;
	int value = 0;
	bool mustOwn = false;
};
