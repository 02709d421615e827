#pragma once

class CEvent;
class EventReceiver;

// The posted-event queue a node reaches through its scene manager.
// Contract: queueEvent keeps a reference to the event and to the receiver (so a receiver
// destroyed by everybody else still outlives its queued events) and returns at once;
// the event is delivered later with receiver->deliverEvent(mode, event), never inside the call.
class INodeEventQueue
{
public:
	virtual void queueEvent(EventReceiver* receiver, int mode, CEvent* event) = 0;

protected:
	~INodeEventQueue() = default;
};
