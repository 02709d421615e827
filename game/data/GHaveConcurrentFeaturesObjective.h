#pragma once

#include "GObjective.h"

// Have the listed features running at the same time, each on its own building of the paired type; once
// reached it stays complete until the level starts again.
class GHaveConcurrentFeaturesObjective : public GObjective
{
public:
	void start() override { latch = false; }
	bool isComplete(const IObjectiveLevelView& level) override;
	irr::core::stringw getText(const CDictionary& dictionary, bool full) const override;
	irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) override;
	void read(IXMLReader* reader) override;

	int count(const IObjectiveLevelView& level) const;
	int getPairCount() const { return static_cast<int>(buildingTypes.size()); }

private:
	// Pair k: building type k with its 0-based feature index k; both lists cut to the same length.
	irr::core::array<StringId> buildingTypes;
	irr::core::array<int> featureIndices;
	irr::core::stringw infoText;
	bool latch = false;
};
