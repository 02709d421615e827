#include "core/SystemFlowEvents.h"
#include "device/CDeviceStub.h"
#include "device/CTimer.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace
{
struct Pass
{
	unsigned realTime;
	bool active = true;
	bool visible = true;
};

// A device whose passes are scripted: each pass sets the real clock and the window flags.
class ScriptedDevice : public CDeviceStub
{
public:
	struct Record
	{
		std::vector<int> updates;
		int draws = 0;
		int sleep = -1;
		bool waited = false;
		unsigned virtualTime = 0;
		bool timerStopped = false;
	};

	explicit ScriptedDevice(std::deque<Pass> passes) : script(std::move(passes))
	{
		timer->drop();
		timer = new CTimer([this] { return realNow; });
		listener = new Listener(this);
		addEventListener(listener, 0);
		listener->drop();
	}

	bool run() override { return runMainLoop(); }

	std::vector<Record> records;

private:
	struct Listener : EventReceiver
	{
		explicit Listener(ScriptedDevice* d) : device(d) { mask = EventCategorySystemFlow; }
		bool onEvent(CEvent* e) override
		{
			if (auto* u = eventCast<CEventSystemFlowUpdate>(e))
				device->records.back().updates.push_back(u->elapsed);
			else if (eventCast<CEventSystemFlowDraw>(e))
				device->records.back().draws++;
			return false;
		}
		ScriptedDevice* device;
	};

	MessageResult pumpMessage(bool wait) override
	{
		if (!records.empty())
		{
			records.back().virtualTime = timer->getTime();
			records.back().timerStopped = timer->isStopped();
		}
		if (script.empty())
			return MessageResult::Quit;
		Pass pass = script.front();
		script.pop_front();
		records.push_back({});
		records.back().waited = wait;
		realNow = pass.realTime;
		appActive = pass.active;
		visible = pass.visible;
		timer->tick();
		return MessageResult::None;
	}

	void sleepFor(int ms) override { records.back().sleep = ms; }

	std::deque<Pass> script;
	unsigned realNow = 0;
	Listener* listener;
};

std::vector<ScriptedDevice::Record> runScript(unsigned minStep, unsigned maxStep, std::deque<Pass> passes)
{
	auto* device = new ScriptedDevice(std::move(passes));
	device->minStep = minStep;
	device->maxStep = maxStep;
	device->run();
	auto records = device->records;
	device->drop();
	return records;
}
} // namespace

struct StepCase
{
	unsigned minStep, maxStep, elapsed;
	std::vector<int> updates;
	int draws;
	int sleep;
};

class MainLoopSteps : public testing::TestWithParam<StepCase>
{
};

TEST_P(MainLoopSteps, UpdatesDrawsAndSleepForElapsedTime)
{
	const StepCase& c = GetParam();
	auto records = runScript(c.minStep, c.maxStep, {{c.elapsed}});
	ASSERT_EQ(records.size(), 1u);
	EXPECT_EQ(records[0].updates, c.updates);
	EXPECT_EQ(records[0].draws, c.draws);
	EXPECT_EQ(records[0].sleep, c.sleep);
}

INSTANTIATE_TEST_SUITE_P(Table, MainLoopSteps,
						 testing::Values(StepCase{10, 10, 9, {}, 0, 1}, StepCase{10, 10, 10, {10}, 1, -1},
										 StepCase{10, 10, 35, {10, 10, 10}, 1, -1}, StepCase{10, 10, 250, {10}, 1, -1},
										 StepCase{5, 15, 12, {12}, 1, -1}, StepCase{5, 15, 40, {15, 15}, 1, -1},
										 StepCase{1, 10, 0, {}, 0, -1}));

TEST(MainLoop, RemainderIsCarriedToTheNextPass)
{
	auto records = runScript(10, 10, {{35}, {39}, {40}});
	ASSERT_EQ(records.size(), 3u);
	EXPECT_EQ(records[0].updates.size(), 3u);
	EXPECT_TRUE(records[1].updates.empty());
	EXPECT_EQ(records[1].sleep, 1);
	EXPECT_EQ(records[2].updates, std::vector<int>{10});
}

TEST(MainLoop, InactiveApplicationDrawsEachPassAndFreezesTime)
{
	auto records = runScript(10, 10, {{20}, {30, false}, {500, false}, {510}, {520}});
	ASSERT_EQ(records.size(), 5u);
	EXPECT_EQ(records[0].updates.size(), 2u);
	for (int i : {1, 2})
	{
		EXPECT_TRUE(records[i].updates.empty());
		EXPECT_EQ(records[i].draws, 1);
		EXPECT_EQ(records[i].sleep, 200);
		EXPECT_TRUE(records[i].timerStopped);
	}
	// The stopped time never reaches the updates: the clock resumes from 30.
	EXPECT_EQ(records[2].virtualTime, records[1].virtualTime);
	EXPECT_EQ(records[3].updates, std::vector<int>{10});
	EXPECT_EQ(records[4].updates, std::vector<int>{10});
}

TEST(MainLoop, MinimisedWindowWaitsForMessagesAndStopsTheTimer)
{
	auto records = runScript(10, 10, {{10}, {50, true, false}, {900, true, false}, {910}});
	ASSERT_EQ(records.size(), 4u);
	EXPECT_FALSE(records[1].waited);
	EXPECT_TRUE(records[2].waited) << "a pass after minimising blocks waiting for a message";
	for (int i : {1, 2})
	{
		EXPECT_TRUE(records[i].updates.empty());
		EXPECT_EQ(records[i].draws, 0);
		EXPECT_TRUE(records[i].timerStopped);
	}
	EXPECT_TRUE(records[3].waited);
	// Only the 40 ms before the minimise are caught up, none of the 850 ms spent minimised.
	EXPECT_EQ(records[3].updates, (std::vector<int>{10, 10, 10, 10}));
}

TEST(MainLoop, StallSendsOneStepOnly)
{
	auto records = runScript(10, 10, {{10}, {1000}, {1010}});
	EXPECT_EQ(records[1].updates, std::vector<int>{10});
	EXPECT_EQ(records[2].updates, std::vector<int>{10});
}

TEST(MainLoop, HandledMessageSkipsUpdateAndDraw)
{
	struct Device : CDeviceStub
	{
		int passes = 0;
		int updates = 0;
		MessageResult pumpMessage(bool) override
		{
			return ++passes < 3 ? MessageResult::Handled : MessageResult::Quit;
		}
		bool run() override { return runMainLoop(); }
	};
	auto* device = new Device();
	device->run();
	EXPECT_EQ(device->passes, 3);
	EXPECT_FALSE(device->isRunning());
	device->drop();
}
