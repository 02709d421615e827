#include "core/IScheduledTask.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
struct Task : IScheduledTask
{
	explicit Task(unsigned p) { period = p; }
	bool run(unsigned p) override
	{
		runs.push_back(p);
		if (action)
			action();
		return keep;
	}
	std::vector<unsigned> runs;
	bool keep = true;
	std::function<void()> action;
};

// Holds the caller's references to a scheduler and its tasks.
struct Fixture
{
	Fixture() : scheduler(new TaskScheduler()) {}
	~Fixture()
	{
		for (Task* t : tasks)
			t->drop();
		scheduler->drop();
	}
	Task* add(unsigned period)
	{
		tasks.push_back(new Task(period));
		scheduler->add(tasks.back());
		return tasks.back();
	}
	TaskScheduler* scheduler;
	std::vector<Task*> tasks;
};
} // namespace

TEST(TaskSchedulerTest, PeriodicTaskRunsWhenItsTimeComes)
{
	Fixture f;
	Task* t = f.add(100);
	for (int i = 0; i < 9; ++i)
		f.scheduler->update(10);
	EXPECT_TRUE(t->runs.empty());
	f.scheduler->update(10);
	EXPECT_EQ(t->runs.size(), 1u);
	for (int i = 0; i < 10; ++i)
		f.scheduler->update(10);
	EXPECT_EQ(t->runs, (std::vector<unsigned>{100, 100}));
}

TEST(TaskSchedulerTest, LongUpdateCatchesUp)
{
	Fixture f;
	Task* t = f.add(100);
	f.scheduler->update(350);
	EXPECT_EQ(t->runs.size(), 3u);
	f.scheduler->update(49);
	EXPECT_EQ(t->runs.size(), 3u);
	f.scheduler->update(1);
	EXPECT_EQ(t->runs.size(), 4u);
}

TEST(TaskSchedulerTest, ZeroPeriodRunsOncePerUpdate)
{
	Fixture f;
	Task* t = f.add(0);
	f.scheduler->update(500);
	f.scheduler->update(1);
	EXPECT_EQ(t->runs, (std::vector<unsigned>{0, 0}));
}

TEST(TaskSchedulerTest, SpeedAndRoundingOfTheClock)
{
	Fixture f;
	f.scheduler->setSpeed(0.5f);
	f.scheduler->update(10);
	EXPECT_DOUBLE_EQ(f.scheduler->getTime(), 5.0);
	Task* t = f.add(95);
	f.scheduler->setSpeed(1.0f);
	f.scheduler->update(94);
	EXPECT_TRUE(t->runs.empty());
	f.scheduler->setSpeed(0.5f);
	f.scheduler->update(1); // 99.5 rounds up to 100
	EXPECT_EQ(t->runs.size(), 1u);
}

TEST(TaskSchedulerTest, FalseResultDetachesAndDrops)
{
	Fixture f;
	Task* t = f.add(0);
	t->keep = false;
	f.scheduler->update(1);
	f.scheduler->update(1);
	EXPECT_EQ(t->runs.size(), 1u);
	EXPECT_EQ(t->getScheduler(), nullptr);
	EXPECT_EQ(t->getReferenceCount(), 1);
}

TEST(TaskSchedulerTest, RemovedAndAddedAgainDuringUpdateKeepsSchedule)
{
	Fixture f;
	Task* t = f.add(10);
	t->action = [&] {
		f.scheduler->remove(t);
		f.scheduler->add(t);
	};
	f.scheduler->update(10);
	f.scheduler->update(10);
	EXPECT_EQ(t->runs.size(), 2u);
	EXPECT_EQ(f.scheduler->getTaskCount(), 1);
}

// Outside an update a removal takes effect at once and touches no other task; added again, the
// task counts a full period from the clock at that moment.
TEST(TaskSchedulerTest, RemovedOutsideAnUpdateLeavesAtOnceAndReturnsAFullPeriodLater)
{
	Fixture f;
	Task* t = f.add(100);
	Task* other = f.add(100);
	f.scheduler->update(60);
	f.scheduler->remove(t);
	EXPECT_EQ(f.scheduler->getTaskCount(), 1);
	EXPECT_EQ(t->getScheduler(), nullptr);
	EXPECT_EQ(t->getReferenceCount(), 1);
	// Removing twice changes nothing more.
	f.scheduler->remove(t);
	EXPECT_EQ(f.scheduler->getTaskCount(), 1);
	EXPECT_EQ(t->getReferenceCount(), 1);
	EXPECT_EQ(other->getScheduler(), f.scheduler);
	EXPECT_EQ(other->getReferenceCount(), 2);

	f.scheduler->add(t); // at 60: due at 160
	EXPECT_EQ(f.scheduler->getTaskCount(), 2);
	f.scheduler->update(40);
	EXPECT_TRUE(t->runs.empty());
	EXPECT_EQ(other->runs.size(), 1u);
	f.scheduler->update(59);
	EXPECT_TRUE(t->runs.empty());
	f.scheduler->update(1);
	EXPECT_EQ(t->runs, std::vector<unsigned>{100});
	EXPECT_EQ(other->runs.size(), 1u);
}

TEST(TaskSchedulerTest, AddedDuringUpdateRunsLater)
{
	Fixture f;
	Task* adder = f.add(0);
	Task* late = new Task(0);
	adder->action = [&] {
		if (!late->getScheduler())
			f.scheduler->add(late);
	};
	f.scheduler->update(10);
	EXPECT_TRUE(late->runs.empty());
	f.scheduler->update(10);
	EXPECT_EQ(late->runs.size(), 1u);
	late->drop();
}

TEST(TaskSchedulerTest, DisabledSchedulerFreezesButStillSweeps)
{
	Fixture f;
	Task* kept = f.add(0);
	Task* orphan = new Task(0);
	f.scheduler->add(orphan);
	orphan->drop(); // only the scheduler holds it now
	f.scheduler->setEnabled(false);
	f.scheduler->update(100);
	EXPECT_DOUBLE_EQ(f.scheduler->getTime(), 0.0);
	EXPECT_TRUE(kept->runs.empty());
	EXPECT_EQ(f.scheduler->getTaskCount(), 1);
}

TEST(TaskSchedulerTest, AddingTwiceListsTwiceAndSetSchedulerIsIdempotent)
{
	Fixture f;
	Task* t = f.add(0);
	f.scheduler->add(t);
	f.scheduler->update(1);
	EXPECT_EQ(t->runs.size(), 2u);
	t->setScheduler(f.scheduler);
	EXPECT_EQ(f.scheduler->getTaskCount(), 2);
}

TEST(TaskSchedulerTest, UpdateEventDrivesTheClockAndIsNotConsumed)
{
	Fixture f;
	Task* t = f.add(0);
	CEventSystemFlowUpdate e(16);
	EXPECT_FALSE(f.scheduler->onEvent(&e));
	EXPECT_EQ(t->runs.size(), 1u);
	EXPECT_DOUBLE_EQ(f.scheduler->getTime(), 16.0);
}

TEST(TaskSchedulerTest, ClockKeepsMillisecondsAfterDaysOfPlay)
{
	TaskScheduler* s = new TaskScheduler();
	for (int i = 0; i < 100; ++i)
		s->update(100u * 3600u * 1000u / 100u); // 100 hours in 100 updates
	double before = s->getTime();
	s->update(10);
	EXPECT_DOUBLE_EQ(s->getTime() - before, 10.0);
	s->drop();
}

TEST(TaskSchedulerTest, DestroyingSchedulerClearsTaskLinks)
{
	auto* s = new TaskScheduler();
	auto* t = new Task(5);
	s->add(t);
	EXPECT_EQ(t->getReferenceCount(), 2);
	s->drop();
	EXPECT_EQ(t->getScheduler(), nullptr);
	EXPECT_EQ(t->getReferenceCount(), 1);
	t->drop();
}
