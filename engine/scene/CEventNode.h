#pragma once

#include "core/CEvent.h"

// Category class of every node event (mask 0x20); never posted itself.
class CEventNode : public CEvent
{
	ENGINE_EVENT_TYPE(7, CEvent)
protected:
	CEventNode() { mask = EventCategoryNode; }
};
