#include "EventReceiver.h"

const EventMap& rootEventMap()
{
	static const EventMap root;
	return root;
}

EventMap extendEventMap(const EventMap& parent, std::initializer_list<std::pair<const int, EventHandler>> entries)
{
	EventMap table = parent;
	for (const auto& entry : entries)
		table[entry.first] = entry.second;
	return table;
}

bool EventReceiver::onEvent(CEvent*) { return false; }

bool EventReceiver::sendToParent(int, CEvent*) { return false; }

bool EventReceiver::sendToChildren(int, CEvent*) { return false; }

bool EventReceiver::deliverEvent(int mode, CEvent* event)
{
	switch (mode)
	{
	case DeliverSelf:
		return onEvent(event);
	case DeliverSelfThenChildren:
		return onEvent(event) || sendToChildren(mode, event);
	case DeliverChildrenThenSelf:
		return sendToChildren(mode, event) || onEvent(event);
	case DeliverSelfThenParent:
		return onEvent(event) || sendToParent(mode, event);
	case DeliverParentThenSelf:
		return sendToParent(mode, event) || onEvent(event);
	default:
		return false;
	}
}

namespace
{
void removeFirst(irr::core::array<EventReceiver*>& list, EventReceiver* receiver)
{
	for (irr::u32 i = 0; i < list.size(); ++i)
	{
		if (list[i] == receiver)
		{
			list.erase(i);
			return;
		}
	}
}
} // namespace

void EventReceiver::removePreListener(EventReceiver* receiver) { removeFirst(preListeners, receiver); }

void EventReceiver::removePostListener(EventReceiver* receiver) { removeFirst(postListeners, receiver); }

bool EventReceiver::dispatchThroughTable(const EventMap& table, CEvent* event)
{
	// Only the post-listeners present when the delivery began are consulted: one added meanwhile
	// (by a pre-listener, the table or another listener) waits for the next event, one removed is
	// skipped. Most receivers have none, so the copy is taken only when there is something to copy.
	const bool hadPostListeners = !postListeners.empty();
	const irr::core::array<EventReceiver*> present =
	    hadPostListeners ? postListeners : irr::core::array<EventReceiver*>();
	// Index loops: a listener may remove itself while it handles the event.
	for (irr::u32 i = 0; i < preListeners.size(); ++i)
	{
		if (preListeners[i]->onEvent(event))
			return true;
	}
	auto it = table.find(event->typeId());
	if (it != table.end() && it->second(this, event))
		return true;
	for (irr::u32 i = 0; i < present.size(); ++i)
	{
		if (postListeners.linear_search(present[i]) >= 0 && present[i]->onEvent(event))
			return true;
	}
	return false;
}
