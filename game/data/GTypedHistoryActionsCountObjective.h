#pragma once

#include "GObjective.h"

// Do an action (build, repair, clean, ...) Value times on buildings of the listed types and places.
class GTypedHistoryActionsCountObjective : public GObjective
{
public:
	bool isComplete(const IObjectiveLevelView& level) override;
	irr::core::stringw getText(const CDictionary& dictionary, bool full) const override;
	irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) override;
	void read(IXMLReader* reader) override;

	int count(const IObjectiveLevelView& level) const;

private:
	irr::core::array<StringId> buildingTypes; // empty: any type
	irr::core::array<StringId> placeNames;    // empty: any place
	irr::core::stringw infoText;
	int action = 0; // history action kind
	int value = 0;
};
