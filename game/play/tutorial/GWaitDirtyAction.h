#pragma once

#include "GWatchingAction.h"

// Waits until the level makes a building dirty.
class GWaitDirtyAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader*) override {}

	bool onDirtyRequest(CEvent* event);
};
