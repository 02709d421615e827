#pragma once

#include "GTutorialAction.h"

// Keeps the level paused while its hint is shown; another action of the hint ends it.
class GGeneratePauseRequestAction : public GTutorialAction
{
public:
	void start(EventReceiver* target) override;
	bool isDone() const override { return false; }
	void finish() override;
	void load(IXMLReader*) override {}

private:
	EventReceiver* target = nullptr; // the level, which outlives the hint
};
