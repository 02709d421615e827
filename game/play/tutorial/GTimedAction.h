#pragma once

#include "GTutorialAction.h"

// Ends its hint after a time; a time of 0 or less ends it at once.
class GTimedAction : public GTutorialAction
{
public:
	void update(int elapsed) override;
	bool isDone() const override { return remaining <= 0; }
	void load(IXMLReader* reader) override;

private:
	int remaining = 0; // ms
};
