#pragma once

#include "CEvent.h"
#include "ReferenceCounted.h"

#include <irrlicht/irrArray.h>

#include <initializer_list>
#include <map>
#include <utility>

class EventReceiver;

// Handler in a class event table.
using EventHandler = bool (*)(EventReceiver* receiver, CEvent* event);
// Class event table: event type id (exact) -> handler.
using EventMap = std::map<int, EventHandler>;

// The empty table every class table starts from.
const EventMap& rootEventMap();

// A copy of the parent's table with the class's own entries added or replaced.
EventMap extendEventMap(const EventMap& parent, std::initializer_list<std::pair<const int, EventHandler>> entries);

// Handler that calls one member of the receiver with the event cast to its class.
template <class R, class E, bool (R::*Method)(E*)>
bool eventHandler(EventReceiver* receiver, CEvent* event)
{
	return (static_cast<R*>(receiver)->*Method)(static_cast<E*>(event));
}

// Delivery modes of deliverEvent.
enum DeliveryMode
{
	DeliverSelf = 0,
	DeliverSelfThenChildren = 1,
	DeliverChildrenThenSelf = 2,
	DeliverSelfThenParent = 3,
	DeliverParentThenSelf = 4,
};

// Base of everything that handles events.
class EventReceiver : public virtual ReferenceCounted
{
public:
	~EventReceiver() override = default;

	virtual bool onEvent(CEvent* event);
	virtual bool sendToParent(int mode, CEvent* event);
	virtual bool sendToChildren(int mode, CEvent* event);

	// Routes one event through this receiver by delivery mode.
	bool deliverEvent(int mode, CEvent* event);

	void removePreListener(EventReceiver* receiver);
	void removePostListener(EventReceiver* receiver);

	// Categories this receiver accepts from mask-routing senders.
	unsigned mask = 0;
	// Offered the event before / after the class table; not referenced.
	irr::core::array<EventReceiver*> preListeners;
	irr::core::array<EventReceiver*> postListeners;

protected:
	// The standard onEvent of a class with an event table.
	bool dispatchThroughTable(const EventMap& table, CEvent* event);
};
