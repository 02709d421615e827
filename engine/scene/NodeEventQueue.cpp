#include "NodeEventQueue.h"

NodeEventQueue::~NodeEventQueue()
{
	clear();
}

void NodeEventQueue::queueEvent(EventReceiver* receiver, int mode, CEvent* event)
{
	if (!receiver || !event)
		return;
	Entry entry{receiver, receiver != owner, mode, event};
	event->grab();
	if (entry.holdsReceiver)
		receiver->grab();
	// The drain takes from the back: front = oldest outside a drain, back = next during one.
	if (draining)
		entries.push_back(entry);
	else
		entries.push_front(entry);
}

void NodeEventQueue::drain()
{
	if (draining)
		return;
	draining = true;
	while (!entries.empty())
	{
		Entry entry = entries.back();
		entries.pop_back();
		entry.receiver->deliverEvent(entry.mode, entry.event);
		release(entry);
	}
	draining = false;
}

void NodeEventQueue::clear()
{
	while (!entries.empty())
	{
		Entry entry = entries.back();
		entries.pop_back();
		release(entry);
	}
}

void NodeEventQueue::release(Entry& entry)
{
	entry.event->drop();
	if (entry.holdsReceiver)
		entry.receiver->drop();
}
