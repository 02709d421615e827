#pragma once

#include "GWatchingAction.h"

class CEventNodeListItemHovered;

// Waits until the pointer rests on one of the items of one list; blocks nothing.
class GListItemHoveredAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader* reader) override;

	bool onListItemHovered(CEventNodeListItemHovered* event);

private:
	StringId list; // none: no list matches
	irr::core::array<int> indices;
};
