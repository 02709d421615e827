#pragma once

#include "GWatchingAction.h"

class CEventNodeListItemClicked;

// Waits for a click on one of the items of one list; every other click is swallowed.
class GListItemPressAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader* reader) override;

	bool onListItemClicked(CEventNodeListItemClicked* event);
	bool onClicked(CEvent* event);

private:
	StringId list; // none: no list matches
	irr::core::array<int> indices;
};
