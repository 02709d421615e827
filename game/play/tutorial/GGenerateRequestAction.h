#pragma once

#include "GTutorialAction.h"

class GEventRequest;

// Makes one of the level's random events happen now, then ends its hint in the same frame.
class GGenerateRequestAction : public GTutorialAction
{
public:
	void start(EventReceiver* target) override { this->target = target; }
	void update(int elapsed) override;
	bool isDone() const override { return true; }
	void load(IXMLReader* reader) override;

protected:
	// A new request for these building types and places (the caller releases it).
	virtual GEventRequest* makeRequest(const irr::core::array<StringId>& types,
	                                   const irr::core::array<StringId>& places) const = 0;

private:
	EventReceiver* target = nullptr; // the level, which outlives the hint
	irr::core::array<StringId> buildingTypes;
	irr::core::array<StringId> placeNames;
};
