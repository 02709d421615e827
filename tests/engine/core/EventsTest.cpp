#include "core/DeviceEvents.h"
#include "core/EventReceiver.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

TEST(Events, KindOfFollowsTheClassPathOnly)
{
	auto* e = new CEventInputMouseLeftDown(1, 2);
	std::set<int> kinds;
	for (int id = 0; id < 100; ++id)
		if (e->isKindOf(id))
			kinds.insert(id);
	EXPECT_EQ(kinds, (std::set<int>{0, 3, 5, 21}));
	EXPECT_EQ(e->mask, 8u);
	e->drop();
}

TEST(Events, IdsMasksAndTypeName)
{
	struct Case
	{
		CEvent* event;
		int id;
		unsigned mask;
	};
	std::vector<Case> cases = {
		{new CEventSystemFlowUpdate(10), 13, 2},  {new CEventSystemFlowDraw(), 14, 2},
		{new CEventDeviceReset(), 9, 1},          {new CEventDeviceVideoDriverCreated(nullptr), 10, 1},
		{new CEventInputKeyUp(0, 27, false, false), 32, 4}, {new CEventInputMouseWheel(0, 0, -1.0f), 30, 8},
		{new CEventSystemFlowCloseRequest(), 18, 2},
	};
	for (auto& c : cases)
	{
		EXPECT_EQ(c.event->typeId(), c.id);
		EXPECT_EQ(c.event->mask, c.mask) << c.id;
		EXPECT_EQ(c.event->typeName(), irr::core::stringw(L"#thisClassName"));
		c.event->drop();
	}
}

namespace
{
// Records the order of its own handling and of its "children" and "parent".
struct Probe : EventReceiver
{
	std::vector<std::string>* log;
	bool selfConsumes = false, childrenConsume = false, parentConsumes = false;
	bool onEvent(CEvent*) override
	{
		log->push_back("self");
		return selfConsumes;
	}
	bool sendToChildren(int, CEvent*) override
	{
		log->push_back("children");
		return childrenConsume;
	}
	bool sendToParent(int, CEvent*) override
	{
		log->push_back("parent");
		return parentConsumes;
	}
};
} // namespace

TEST(EventReceiverTest, DeliveryModes)
{
	struct Case
	{
		int mode;
		bool childrenConsume;
		std::vector<std::string> expected;
		bool result;
	};
	std::vector<Case> cases = {
		{0, false, {"self"}, false},
		{1, false, {"self", "children"}, false},
		{2, false, {"children", "self"}, false},
		{2, true, {"children"}, true},
		{3, false, {"self", "parent"}, false},
		{4, false, {"parent", "self"}, false},
		{5, false, {}, false},
	};
	for (const auto& c : cases)
	{
		std::vector<std::string> log;
		auto* probe = new Probe();
		probe->log = &log;
		probe->childrenConsume = c.childrenConsume;
		auto* e = new CEventSystemFlowDraw();
		EXPECT_EQ(probe->deliverEvent(c.mode, e), c.result) << c.mode;
		EXPECT_EQ(log, c.expected) << c.mode;
		e->drop();
		probe->drop();
	}
}

namespace
{
struct TableReceiver : EventReceiver
{
	std::vector<std::string> log;
	bool onMouse(CEventInputMouse*)
	{
		log.push_back("table");
		return false;
	}
	static const EventMap& eventMap()
	{
		static const EventMap table =
			extendEventMap(rootEventMap(), {{5, &eventHandler<TableReceiver, CEventInputMouse, &TableReceiver::onMouse>},
											{20, &eventHandler<TableReceiver, CEventInputMouse, &TableReceiver::onMouse>}});
		return table;
	}
	bool onEvent(CEvent* e) override { return dispatchThroughTable(eventMap(), e); }
};

struct Listening : EventReceiver
{
	std::vector<std::string>* log;
	std::string name;
	bool consume;
	Listening(std::vector<std::string>* l, std::string n, bool c) : log(l), name(std::move(n)), consume(c) {}
	bool onEvent(CEvent*) override
	{
		log->push_back(name);
		return consume;
	}
};
} // namespace

TEST(EventReceiverTest, TableLookupIsByExactId)
{
	TableReceiver r;
	CEventInputMouseLeftDown down(0, 0); // kind of 5, but its own id 21 has no entry
	r.onEvent(&down);
	EXPECT_TRUE(r.log.empty());
	CEventInputMouseMove move(0, 0);
	r.onEvent(&move);
	EXPECT_EQ(r.log, std::vector<std::string>{"table"});
}

TEST(EventReceiverTest, PreListenerStopsBeforeTableAndPostListeners)
{
	TableReceiver r;
	std::vector<std::string> log;
	Listening pre(&log, "pre", false), pre2(&log, "pre2", true), post(&log, "post", false);
	r.preListeners.push_back(&pre);
	r.postListeners.push_back(&post);
	CEventInputMouseMove move(0, 0);
	r.onEvent(&move);
	EXPECT_EQ(log, (std::vector<std::string>{"pre", "post"}));
	EXPECT_EQ(r.log.size(), 1u);
	log.clear();
	r.preListeners.push_back(&pre2);
	EXPECT_TRUE(r.onEvent(&move));
	EXPECT_EQ(log, (std::vector<std::string>{"pre", "pre2"}));
	r.removePreListener(&post); // absent: unchanged
	EXPECT_EQ(r.preListeners.size(), 2u);
	r.removePreListener(&pre);
	EXPECT_EQ(r.preListeners[0], &pre2);
}

namespace
{
// A receiver whose table entry for mouse moves runs a step of the test.
struct ActingReceiver : EventReceiver
{
	std::function<void()> action;
	bool onMove(CEventInputMouseMove*)
	{
		if (action)
			action();
		return false;
	}
	static const EventMap& eventMap()
	{
		static const EventMap table = extendEventMap(
		    rootEventMap(), {{20, &eventHandler<ActingReceiver, CEventInputMouseMove, &ActingReceiver::onMove>}});
		return table;
	}
	bool onEvent(CEvent* e) override { return dispatchThroughTable(eventMap(), e); }
};

// A listener that logs its name and runs a step of the test.
struct ActingListener : EventReceiver
{
	ActingListener(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
	bool onEvent(CEvent*) override
	{
		log->push_back(name);
		if (action)
			action();
		return false;
	}
	std::vector<std::string>* log;
	std::string name;
	std::function<void()> action;
};
} // namespace

// Only the post-listeners present when the delivery began see the event: one added during the
// delivery (by a pre-listener, the table or another listener) waits for the next event, one removed
// is skipped.
TEST(EventReceiverTest, PostListenersAddedDuringADeliveryWaitForTheNextEvent)
{
	using Names = std::vector<std::string>;
	enum Adder
	{
		ByPreListener,
		ByTable,
		ByPostListener,
	};
	struct Case
	{
		const char* name;
		Adder adder;
		bool withFirst;
		Names firstDelivery, secondDelivery;
	};
	const Case cases[] = {
	    {"pre-listener, none before", ByPreListener, false, {"pre"}, {"pre", "added"}},
	    {"pre-listener, one before", ByPreListener, true, {"pre", "first"}, {"pre", "first", "added"}},
	    {"table, none before", ByTable, false, {"pre"}, {"pre", "added"}},
	    {"table, one before", ByTable, true, {"pre", "first"}, {"pre", "first", "added"}},
	    {"post-listener", ByPostListener, true, {"pre", "first"}, {"pre", "first", "added"}},
	};
	for (const Case& c : cases)
	{
		Names log;
		ActingReceiver receiver;
		ActingListener pre(&log, "pre"), first(&log, "first"), added(&log, "added");
		auto add = [&] {
			if (receiver.postListeners.linear_search(&added) < 0)
				receiver.postListeners.push_back(&added);
		};
		receiver.preListeners.push_back(&pre);
		if (c.withFirst)
			receiver.postListeners.push_back(&first);
		std::function<void()>& adderAction =
		    c.adder == ByPreListener ? pre.action : c.adder == ByTable ? receiver.action : first.action;
		adderAction = add;
		CEventInputMouseMove move(0, 0);
		EXPECT_FALSE(receiver.onEvent(&move));
		EXPECT_EQ(log, c.firstDelivery) << c.name;
		log.clear();
		receiver.onEvent(&move);
		EXPECT_EQ(log, c.secondDelivery) << c.name;
	}

	Names log;
	ActingReceiver receiver;
	ActingListener first(&log, "first"), second(&log, "second"), third(&log, "third");
	for (ActingListener* listener : {&first, &second, &third})
		receiver.postListeners.push_back(listener);
	first.action = [&] { receiver.removePostListener(&second); };
	CEventInputMouseMove move(0, 0);
	receiver.onEvent(&move);
	EXPECT_EQ(log, (Names{"first", "third"}));
}
