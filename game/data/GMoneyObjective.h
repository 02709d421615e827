#pragma once

#include "GObjective.h"

// Have at least Value money.
class GMoneyObjective : public GObjective
{
public:
	bool isComplete(const IObjectiveLevelView& level) override;
	irr::core::stringw getText(const CDictionary& dictionary, bool full) const override;
	irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) override;
	irr::core::stringw getHintText() const override { return L"%GamePlay_CompleteHintMoney%"; }
	void read(IXMLReader* reader) override;

	float getValue() const { return value; }

private:
	float value = 0.0f;
	irr::core::stringw infoText;
};
