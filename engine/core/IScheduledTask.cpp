#include "IScheduledTask.h"

#include "TaskScheduler.h"

IScheduledTask::~IScheduledTask()
{
	if (scheduler)
		scheduler->remove(this);
}

void IScheduledTask::setScheduler(TaskScheduler* s)
{
	if (s == scheduler)
		return;
	if (scheduler)
		scheduler->remove(this);
	if (s)
		s->add(this);
}
