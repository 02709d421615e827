#pragma once

#include "GWatchingAction.h"

// Waits until the level brings a money letter.
class GWaitLetterAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader*) override {}

	bool onLetterRequest(CEvent* event);
};
