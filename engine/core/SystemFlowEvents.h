#pragma once

#include "CEvent.h"

// System-flow category (mask 2): frame ticks, drawing, activation, closing.
class CEventSystemFlow : public CEvent
{
	ENGINE_EVENT_TYPE(2, CEvent)
protected:
	CEventSystemFlow() { mask = EventCategorySystemFlow; }
};

// One fixed step of the main loop.
class CEventSystemFlowUpdate : public CEventSystemFlow
{
	ENGINE_EVENT_TYPE(13, CEventSystemFlow)
public:
	explicit CEventSystemFlowUpdate(int ms) : elapsed(ms) {}
	int elapsed;
};

class CEventSystemFlowDraw : public CEventSystemFlow
{
	ENGINE_EVENT_TYPE(14, CEventSystemFlow)
};

class CEventSystemFlowWindowActivate : public CEventSystemFlow
{
	ENGINE_EVENT_TYPE(16, CEventSystemFlow)
public:
	explicit CEventSystemFlowWindowActivate(bool a) : active(a) {}
	bool active;
};

class CEventSystemFlowApplicationActivate : public CEventSystemFlow
{
	ENGINE_EVENT_TYPE(17, CEventSystemFlow)
public:
	explicit CEventSystemFlowApplicationActivate(bool a) : active(a) {}
	bool active;
};

// A receiver that returns true cancels the close.
class CEventSystemFlowCloseRequest : public CEventSystemFlow
{
	ENGINE_EVENT_TYPE(18, CEventSystemFlow)
};

class CEventSystemFlowDestroy : public CEventSystemFlow
{
	ENGINE_EVENT_TYPE(19, CEventSystemFlow)
};
