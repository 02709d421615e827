#pragma once

#include "GEvent.h"

class BaseNode;

// The selected building changed, or (selected == previous) its panels want refreshing.
class GEventSelectionChanged : public GEvent
{
	ENGINE_EVENT_TYPE(EventTypeGEventSelectionChanged, GEvent)
public:
	GEventSelectionChanged(BaseNode* selected, BaseNode* previous) : selected(selected), previous(previous) {}

	// Neither is owned: the message lives for one delivery while the nodes stay in their level.
	BaseNode* selected;
	BaseNode* previous;
};
