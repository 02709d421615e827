#include "TaskScheduler.h"

#include "IScheduledTask.h"
#include "SystemFlowEvents.h"

#include <cmath>

const EventMap& TaskScheduler::eventMap()
{
	static const EventMap table = extendEventMap(
		rootEventMap(),
		{{CEventSystemFlowUpdate::TypeId, &eventHandler<TaskScheduler, CEventSystemFlowUpdate, &TaskScheduler::onUpdateEvent>}});
	return table;
}

TaskScheduler::TaskScheduler()
{
	mask |= EventCategorySystemFlow;
	tasks.reallocate(1024);
}

TaskScheduler::~TaskScheduler()
{
	for (irr::u32 i = 0; i < tasks.size(); ++i)
	{
		tasks[i].task->scheduler = nullptr;
		tasks[i].task->drop();
	}
	for (irr::u32 i = 0; i < pendingAdditions.size(); ++i)
	{
		pendingAdditions[i].task->scheduler = nullptr;
		pendingAdditions[i].task->drop();
	}
}

bool TaskScheduler::onEvent(CEvent* event) { return dispatchThroughTable(eventMap(), event); }

bool TaskScheduler::onUpdateEvent(CEventSystemFlowUpdate* event)
{
	update(static_cast<unsigned>(event->elapsed));
	return false;
}

void TaskScheduler::add(IScheduledTask* task)
{
	if (!task)
		return;
	task->scheduler = this;
	for (irr::u32 i = 0; i < pendingRemovals.size(); ++i)
	{
		if (pendingRemovals[i] == task)
		{
			// Removed and added again within one update: it keeps its entry and due time.
			pendingRemovals[i] = pendingRemovals.getLast();
			pendingRemovals.erase(pendingRemovals.size() - 1);
			return;
		}
	}
	task->grab();
	Entry entry{task, static_cast<std::uint64_t>(time + task->period)};
	if (updating)
		pendingAdditions.push_back(entry);
	else
		tasks.push_back(entry);
}

void TaskScheduler::remove(IScheduledTask* task)
{
	if (!task)
		return;
	task->scheduler = nullptr;
	if (updating)
	{
		pendingRemovals.push_back(task);
		return;
	}
	for (irr::u32 i = 0; i < tasks.size(); ++i)
	{
		if (tasks[i].task == task)
		{
			tasks[i] = tasks.getLast();
			tasks.erase(tasks.size() - 1);
			task->drop();
			return;
		}
	}
	for (irr::u32 i = 0; i < pendingAdditions.size(); ++i)
	{
		if (pendingAdditions[i].task == task)
		{
			pendingAdditions.erase(i);
			task->drop();
			return;
		}
	}
}

void TaskScheduler::update(unsigned ms)
{
	updating = true;
	// A task may drop the last outside reference to this scheduler while it runs.
	grab();

	if (isEnabled())
	{
		time += static_cast<double>(speed) * ms;
		std::uint64_t now = static_cast<std::uint64_t>(std::floor(time + 0.5));
		for (irr::u32 i = 0; i < tasks.size(); ++i)
		{
			IScheduledTask* task = tasks[i].task;
			if (task->scheduler != this || now < tasks[i].due)
				continue;
			while (true)
			{
				unsigned p = task->period;
				if (!task->run(p))
				{
					if (task->scheduler == this)
						task->scheduler = nullptr;
					break;
				}
				tasks[i].due += task->period;
				if (p == 0 || task->scheduler != this || now < tasks[i].due)
					break;
			}
		}
	}

	// Sweep detached tasks and tasks nobody else holds.
	for (irr::u32 i = 0; i < tasks.size();)
	{
		IScheduledTask* task = tasks[i].task;
		if (task->scheduler != this || task->getReferenceCount() == 1)
		{
			tasks[i] = tasks.getLast();
			tasks.erase(tasks.size() - 1);
			if (task->scheduler == this)
				task->scheduler = nullptr;
			task->drop();
		}
		else
		{
			++i;
		}
	}
	pendingRemovals.clear();

	for (irr::u32 i = 0; i < pendingAdditions.size(); ++i)
		tasks.push_back(pendingAdditions[i]);
	pendingAdditions.clear();

	updating = false;
	drop();
}
