#pragma once

#include "INodeEventQueue.h"
#include "core/CEvent.h"
#include "core/EventReceiver.h"
#include "core/SmartPointer.h"

#include <deque>

// Posted node events waiting for delivery, drained once per scheduler update.
// Outside a drain events come out oldest first; events posted during a drain come out next,
// before older ones still waiting, last-posted first.
class NodeEventQueue : public INodeEventQueue
{
public:
	// The owner (typically the scene manager holding this queue) is never referenced by its
	// own entries, so that queued events addressed to it cannot keep it alive.
	explicit NodeEventQueue(const EventReceiver* owner = nullptr) : owner(owner) {}
	~NodeEventQueue();

	NodeEventQueue(const NodeEventQueue&) = delete;
	NodeEventQueue& operator=(const NodeEventQueue&) = delete;

	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override;

	// Delivers every queued event, including those posted while draining.
	void drain();
	// Releases every queued event without delivering it.
	void clear();

	int getCount() const { return static_cast<int>(entries.size()); }
	bool isDraining() const { return draining; }

private:
	struct Entry
	{
		EventReceiver* receiver;
		bool holdsReceiver;
		int mode;
		CEvent* event;
	};

	static void release(Entry& entry);

	const EventReceiver* owner;
	std::deque<Entry> entries;
	bool draining = false;
};
