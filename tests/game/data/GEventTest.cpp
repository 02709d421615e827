#include "data/GEvent.h"

#include "data/GEventLevelCompleted.h"
#include "data/GEventPauseRequest.h"
#include "data/GEventSelectionChanged.h"
#include "data/GEventWeatherRequest.h"
#include "scene/BaseNode.h"
#include "scene/NodeEventQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A level-like receiver whose class table handles game messages by exact id and writes what it saw.
class MessageReceiver : public BaseNode
{
public:
	MessageReceiver(INodeEventQueue* queue) : BaseNode(ContentRef(), nullptr, queue) {}

	static const EventMap& eventMap()
	{
		static const EventMap table = extendEventMap(
		    BaseNode::eventMap(),
		    {
		        {EventTypeGEventSelectionChanged,
		         &eventHandler<MessageReceiver, GEventSelectionChanged, &MessageReceiver::onSelectionChanged>},
		        {EventTypeGEventLevelCompleted,
		         &eventHandler<MessageReceiver, GEventLevelCompleted, &MessageReceiver::onLevelCompleted>},
		        {EventTypeGEventPauseRequest,
		         &eventHandler<MessageReceiver, GEventPauseRequest, &MessageReceiver::onPauseRequest>},
		        {EventTypeGEventWeatherRequest,
		         &eventHandler<MessageReceiver, GEventWeatherRequest, &MessageReceiver::onWeatherRequest>},
		    });
		return table;
	}
	bool onEvent(CEvent* event) override { return event && dispatchThroughTable(eventMap(), event); }

	bool onSelectionChanged(GEventSelectionChanged* e)
	{
		seen.push_back(e->selected == e->previous ? "refresh" : "select");
		return true;
	}
	bool onLevelCompleted(GEventLevelCompleted* e)
	{
		seen.push_back(e->completed ? "completed" : "not completed");
		return true;
	}
	bool onPauseRequest(GEventPauseRequest* e)
	{
		seen.push_back(e->pause ? "pause" : "resume");
		return true;
	}
	bool onWeatherRequest(GEventWeatherRequest* e)
	{
		seen.push_back("weather " + std::to_string(e->minDuration) + "-" + std::to_string(e->maxDuration));
		return true;
	}

	std::vector<std::string> seen;
};

struct KindCase
{
	const char* name;
	SmartPointer<GEvent> event;
	int id;
	std::vector<int> kinds;
};

std::vector<KindCase> kindCases()
{
	return {
	    {"GEvent", SmartPointer<GEvent>(new GEvent()), 4096, {4096, 0}},
	    {"GEventSelectionChanged",
	     SmartPointer<GEvent>(new GEventSelectionChanged(nullptr, nullptr)),
	     4098,
	     {4098, 4096, 0}},
	    {"GEventLevelCompleted", SmartPointer<GEvent>(new GEventLevelCompleted()), 4099, {4099, 4096, 0}},
	    {"GEventPauseRequest", SmartPointer<GEvent>(new GEventPauseRequest(true)), 4116, {4116, 4096, 0}},
	    {"GEventWeatherRequest", SmartPointer<GEvent>(new GEventWeatherRequest(1, 2)), 4118, {4118, 4096, 0}},
	};
}
} // namespace

TEST(GEvent, EveryMessageHasItsOwnIdAndIsAGameMessage)
{
	for (const KindCase& c : kindCases())
	{
		EXPECT_EQ(c.event->typeId(), c.id) << c.name;
		EXPECT_EQ(c.event->mask, static_cast<unsigned>(EventCategoryGame)) << c.name;
		EXPECT_TRUE(c.event->typeName() == L"#thisClassName") << c.name;
		for (int id = 4090; id <= 4120; ++id)
		{
			const bool expected = std::find(c.kinds.begin(), c.kinds.end(), id) != c.kinds.end();
			EXPECT_EQ(c.event->isKindOf(id), expected) << c.name << " kind of " << id;
		}
		EXPECT_TRUE(c.event->isKindOf(0)) << c.name;
	}
}

TEST(GEvent, PostedMessagesReachTheirHandlersByIdOnTheNextDrain)
{
	NodeEventQueue queue;
	SmartPointer<MessageReceiver> level(new MessageReceiver(&queue));
	BaseNode* building = new BaseNode(ContentRef(), level.get(), &queue);
	building->drop(); // the level holds it

	const SmartPointer<GEvent> messages[] = {
	    SmartPointer<GEvent>(new GEventPauseRequest(true)),
	    SmartPointer<GEvent>(new GEventSelectionChanged(building, nullptr)),
	    SmartPointer<GEvent>(new GEventSelectionChanged(building, building)),
	    // A plain game message is not taken for the level's completion.
	    SmartPointer<GEvent>(new GEvent()),
	    SmartPointer<GEvent>(new GEventLevelCompleted()),
	    SmartPointer<GEvent>(new GEventWeatherRequest(20000, 40000)),
	    SmartPointer<GEvent>(new GEventPauseRequest(false)),
	};
	for (const SmartPointer<GEvent>& message : messages)
		building->postEventToParent(DeliverSelfThenParent, message.get());
	EXPECT_TRUE(level->seen.empty());
	queue.drain();
	const std::vector<std::string> expected = {"pause", "select", "refresh", "completed", "weather 20000-40000",
	                                           "resume"};
	EXPECT_EQ(level->seen, expected);
}

TEST(GEvent, AReceiverWithoutTheGameCategoryNeverSeesAMessage)
{
	NodeEventQueue queue;
	SmartPointer<MessageReceiver> level(new MessageReceiver(&queue));
	BaseNode* building = new BaseNode(ContentRef(), level.get(), &queue);
	building->drop(); // the level holds it
	level->mask &= ~static_cast<unsigned>(EventCategoryGame);
	SmartPointer<GEvent> pause(new GEventPauseRequest(true));
	building->postEventToParent(DeliverSelfThenParent, pause.get());
	level->postEvent(level.get(), DeliverSelf, pause.get());
	queue.drain();
	EXPECT_TRUE(level->seen.empty());
	// Delivered directly, the table still answers by id.
	EXPECT_TRUE(level->onEvent(pause.get()));
	EXPECT_EQ(level->seen, std::vector<std::string>{"pause"});
}
