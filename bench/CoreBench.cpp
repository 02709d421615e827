#include "core/IScheduledTask.h"
#include "core/NumberText.h"
#include "core/StringId.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
struct CountingListener : EventReceiver
{
	CountingListener() { mask = EventCategorySystemFlow; }
	bool onEvent(CEvent*) override
	{
		++count;
		return false;
	}
	long count = 0;
};

struct NopTask : IScheduledTask
{
	explicit NopTask(unsigned p) { period = p; }
	bool run(unsigned) override { return true; }
};
} // namespace

static void BM_DeviceDispatchUpdateToEightListeners(benchmark::State& state)
{
	auto* device = new CDeviceStub();
	for (int i = 0; i < 8; ++i)
	{
		auto* l = new CountingListener();
		device->addEventListener(l, i);
		l->drop();
	}
	for (auto _ : state)
		device->postEvent(new CEventSystemFlowUpdate(10));
	device->drop();
}
BENCHMARK(BM_DeviceDispatchUpdateToEightListeners);

static void BM_TaskSchedulerUpdate1000Tasks(benchmark::State& state)
{
	auto* scheduler = new TaskScheduler();
	std::vector<NopTask*> tasks;
	for (int i = 0; i < 1000; ++i)
	{
		tasks.push_back(new NopTask(static_cast<unsigned>(i % 4) * 10));
		scheduler->add(tasks.back());
	}
	for (auto _ : state)
		scheduler->update(10);
	for (auto* t : tasks)
		t->drop();
	scheduler->drop();
}
BENCHMARK(BM_TaskSchedulerUpdate1000Tasks);

static void BM_InternStringId50000Names(benchmark::State& state)
{
	std::vector<std::string> names;
	for (int i = 0; i < 50000; ++i)
		names.push_back("Node" + std::to_string(i) + "/Child");
	for (auto _ : state)
	{
		int sum = 0;
		for (const auto& n : names)
			sum += internStringId(n.c_str()).id;
		benchmark::DoNotOptimize(sum);
	}
	state.SetItemsProcessed(state.iterations() * 50000);
}
BENCHMARK(BM_InternStringId50000Names);

static void BM_ParseVectors100000(benchmark::State& state)
{
	std::vector<std::string> texts;
	for (int i = 0; i < 100000; ++i)
		texts.push_back(std::to_string(i * 0.37) + ";" + std::to_string(-i * 1.5) + ";" + std::to_string(i % 100));
	for (auto _ : state)
	{
		float sum = 0;
		for (const auto& t : texts)
			sum += parseVector3d(t.c_str()).Y;
		benchmark::DoNotOptimize(sum);
	}
	state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ParseVectors100000);
