#pragma once

#include "GWatchingAction.h"

class CEventNodeClicked;

// Waits for a click on a control of one of the names; every other click is swallowed.
class GControlPressAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader* reader) override;

	bool onClicked(CEventNodeClicked* event);
	bool onListItemClicked(CEvent* event);

private:
	irr::core::array<StringId> controls;
};
