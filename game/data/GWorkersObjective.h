#pragma once

#include "GObjective.h"

// Employ at least Value workers in all.
class GWorkersObjective : public GObjective
{
public:
	bool isComplete(const IObjectiveLevelView& level) override;
	irr::core::stringw getText(const CDictionary& dictionary, bool full) const override;
	irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) override;
	irr::core::stringw getHintText() const override { return L"%GamePlay_CompleteHintWorkers%"; }
	void read(IXMLReader* reader) override;

	int getValue() const { return value; }

private:
	int value = 0;
};
