#pragma once

#include "EventReceiver.h"

#include <irrlicht/irrArray.h>

#include <cstdint>

class CEventSystemFlowUpdate;
class IScheduledTask;

// Runs periodic tasks on its own clock, driven by the device's update events.
class TaskScheduler : public EventReceiver
{
public:
	struct Entry
	{
		IScheduledTask* task;
		std::uint64_t due;
	};

	TaskScheduler();
	~TaskScheduler() override;

	bool onEvent(CEvent* event) override;

	virtual void add(IScheduledTask* task);
	virtual void remove(IScheduledTask* task);
	virtual void setEnabled(bool value) { enabled = value; }
	virtual bool isEnabled() const { return enabled; }
	virtual void setSpeed(float value) { speed = value; }
	virtual float getSpeed() const { return speed; }
	virtual void update(unsigned ms);
	virtual bool onUpdateEvent(CEventSystemFlowUpdate* event);

	// The scheduler's clock in milliseconds; kept in double so hours of play lose no precision.
	double getTime() const { return time; }
	int getTaskCount() const { return static_cast<int>(tasks.size()); }

	static const EventMap& eventMap();

private:
	bool enabled = true;
	float speed = 1.0f;
	bool updating = false;
	irr::core::array<Entry> tasks;
	irr::core::array<Entry> pendingAdditions;
	irr::core::array<IScheduledTask*> pendingRemovals;
	double time = 0.0;
};
