#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "device/CDeviceStub.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
// A listener that records its name when it receives an event and can run an action then.
struct Recorder : EventReceiver
{
	Recorder(std::vector<std::string>& log, std::string n, unsigned m, bool consume = false)
		: out(log), name(std::move(n)), consumes(consume)
	{
		mask = m;
	}
	bool onEvent(CEvent*) override
	{
		out.push_back(name);
		if (action)
			action();
		return consumes;
	}
	std::vector<std::string>& out;
	std::string name;
	bool consumes;
	std::function<void()> action;
};

struct Fixture
{
	Fixture() : device(new CDeviceStub()) {}
	~Fixture()
	{
		for (auto* r : made)
			r->drop();
		device->drop();
	}
	Recorder* make(const std::string& name, unsigned mask = 0xFFFF, bool consume = false)
	{
		made.push_back(new Recorder(log, name, mask, consume));
		return made.back();
	}
	void post(CEvent* e) { device->postEvent(e); }

	std::vector<std::string> log;
	std::vector<Recorder*> made;
	CDeviceStub* device;
};
} // namespace

TEST(ListenerList, PriorityOrderMaskFilterAndConsumption)
{
	Fixture f;
	f.device->addEventListener(f.make("p2"), 2);
	f.device->addEventListener(f.make("p0-keys", EventCategoryKeyboard), 0);
	f.device->addEventListener(f.make("p1", EventCategoryMouse, true), 1);
	f.device->addEventListener(f.make("p-1", EventCategoryMouse), -1);
	f.post(new CEventInputMouseMove(1, 2));
	EXPECT_EQ(f.log, (std::vector<std::string>{"p-1", "p1"}));
}

TEST(ListenerList, AddingTwiceIsRefusedAndKeepsOneReference)
{
	Fixture f;
	Recorder* r = f.make("a");
	EXPECT_TRUE(f.device->addEventListener(r, 0));
	EXPECT_FALSE(f.device->addEventListener(r, 5));
	EXPECT_FALSE(f.device->addEventListener(nullptr, 0));
	EXPECT_EQ(r->getReferenceCount(), 2);
	f.device->removeEventListener(r);
	EXPECT_EQ(r->getReferenceCount(), 1);
	f.device->removeEventListener(r); // not listed: nothing happens
	EXPECT_EQ(r->getReferenceCount(), 1);
}

TEST(ListenerList, AdditionDuringDispatchTakesEffectAfterIt)
{
	Fixture f;
	Recorder* late = f.make("late");
	Recorder* first = f.make("first");
	first->action = [&] { f.device->addEventListener(late, -5); };
	f.device->addEventListener(first, 0);
	f.post(new CEventSystemFlowDraw());
	EXPECT_EQ(f.log, std::vector<std::string>{"first"});
	f.log.clear();
	first->action = nullptr;
	f.post(new CEventSystemFlowDraw());
	EXPECT_EQ(f.log, (std::vector<std::string>{"late", "first"}));
}

TEST(ListenerList, ListenerAddedTwiceDuringOneDispatchIsListedOnce)
{
	Fixture f;
	Recorder* late = f.make("late");
	Recorder* first = f.make("first");
	first->action = [&] {
		f.device->addEventListener(late, 3);
		EXPECT_FALSE(f.device->addEventListener(late, 4));
	};
	f.device->addEventListener(first, 0);
	f.post(new CEventSystemFlowDraw());
	first->action = nullptr;
	f.log.clear();
	f.post(new CEventSystemFlowDraw());
	EXPECT_EQ(f.log, (std::vector<std::string>{"first", "late"}));
	EXPECT_EQ(late->getReferenceCount(), 2);
}

TEST(ListenerList, RemovalDuringDispatchStillDeliversTheRest)
{
	Fixture f;
	Recorder* second = f.make("second");
	Recorder* first = f.make("first");
	first->action = [&] { f.device->removeEventListener(second); };
	f.device->addEventListener(first, 0);
	f.device->addEventListener(second, 1);
	f.post(new CEventSystemFlowDraw());
	EXPECT_EQ(f.log, (std::vector<std::string>{"first", "second"}));
	EXPECT_EQ(second->getReferenceCount(), 1);
	f.log.clear();
	f.post(new CEventSystemFlowDraw());
	EXPECT_EQ(f.log, std::vector<std::string>{"first"});
}

TEST(ListenerList, AddThenRemoveAndRemoveThenAddWithinOneDispatchEndRemoved)
{
	Fixture f;
	Recorder* a = f.make("a");
	Recorder* b = f.make("b");
	Recorder* driver = f.make("driver");
	f.device->addEventListener(driver, 0);
	f.device->addEventListener(b, 1);
	driver->action = [&] {
		f.device->addEventListener(a, 2);
		f.device->removeEventListener(a);
		f.device->removeEventListener(b);
		f.device->addEventListener(b, 1);
	};
	f.post(new CEventSystemFlowDraw());
	driver->action = nullptr;
	f.log.clear();
	f.post(new CEventSystemFlowDraw());
	EXPECT_EQ(f.log, std::vector<std::string>{"driver"});
	EXPECT_EQ(a->getReferenceCount(), 1);
	EXPECT_EQ(b->getReferenceCount(), 1);
}

TEST(ListenerList, TeardownDropsListenersHighestPriorityFirst)
{
	std::vector<std::string> order;
	struct Tracked : EventReceiver
	{
		Tracked(std::vector<std::string>& o, std::string n) : out(o), name(std::move(n)) {}
		~Tracked() override { out.push_back(name); }
		std::vector<std::string>& out;
		std::string name;
	};
	auto* device = new CDeviceStub();
	for (auto [name, priority] : {std::pair<const char*, int>{"low", -1}, {"high", 5}, {"mid", 2}})
	{
		auto* t = new Tracked(order, name);
		device->addEventListener(t, priority);
		t->drop();
	}
	device->drop();
	EXPECT_EQ(order, (std::vector<std::string>{"high", "mid", "low"}));
}

TEST(DeviceSettings, DefaultsAndReplacement)
{
	auto* device = new CDeviceStub();
	EXPECT_EQ(device->getSetting("AssetsFolder"), irr::core::stringw(L"assets"));
	EXPECT_EQ(device->getSetting("ProfilesCryptKey"), irr::core::stringw(L""));
	device->setSetting("TitleCaption", L"City");
	EXPECT_EQ(device->getSetting("TitleCaption"), irr::core::stringw(L"City"));
	device->drop();
}
