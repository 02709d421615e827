#pragma once

#include "GWatchingAction.h"

class CEvent;

// Waits for any click, wherever it lands (a press the controller passes on from the device, or a
// click on a control), and swallows it, so the click only moves the tutorial on.
class GMouseClickAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader*) override {}

	bool onClick(CEvent* event);
};
