#pragma once

#include "ReferenceCounted.h"

class TaskScheduler;

// A periodic step run by a TaskScheduler on its own clock.
class IScheduledTask : public virtual ReferenceCounted
{
public:
	~IScheduledTask() override;

	// One step; false asks to be detached.
	virtual bool run(unsigned period) = 0;

	// Moves the task to another scheduler (null: unscheduled); nothing when it does not change.
	void setScheduler(TaskScheduler* scheduler);
	TaskScheduler* getScheduler() const { return scheduler; }

	// Milliseconds between runs; 0 runs once per update.
	unsigned period = 0;

private:
	friend class TaskScheduler;
	TaskScheduler* scheduler = nullptr;
};
