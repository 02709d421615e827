#include "data/GRandomEvent.h"

#include "LevelDataTestSupport.h"
#include "core/EventReceiver.h"
#include "core/Random.h"
#include "core/TaskScheduler.h"
#include "data/GEventLetterRequest.h"
#include "data/GEventSellBuildingRequest.h"
#include "data/GEventWeatherRequest.h"
#include "data/GRandomEventList.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
// A level that records the requests it is offered and takes them when told to; what it does not take
// goes on to its parent, which records it too.
class RequestTarget : public EventReceiver
{
public:
	bool onEvent(CEvent* event) override
	{
		received.push_back(event->typeId());
		if (GEventRequest* request = eventCast<GEventRequest>(event))
			lastTypes = idNames(request->buildingTypes);
		if (GEventLetterRequest* letter = eventCast<GEventLetterRequest>(event))
		{
			lastMoney = letter->moneyRange;
			lastWait = letter->waitTimeRange;
		}
		if (GEventWeatherRequest* weather = eventCast<GEventWeatherRequest>(event))
			lastDuration = irr::core::vector2di(weather->minDuration, weather->maxDuration);
		return takes;
	}
	bool sendToParent(int mode, CEvent* event) override
	{
		parentModes.push_back(mode);
		(void)event;
		return true;
	}

	bool takes = true;
	std::vector<int> received;
	std::vector<int> parentModes;
	std::string lastTypes;
	irr::core::vector2df lastMoney;
	irr::core::vector2df lastWait;
	irr::core::vector2di lastDuration;
};

// Random events read from one RandomEvents element and driven tick by tick on a scheduler.
class RandomEvents : public testing::Test
{
protected:
	void SetUp() override { Random::instance()->seed(77); }

	// The one event of a RandomEvents element holding one Event with these attributes.
	GRandomEvent* event(const std::string& attributes)
	{
		list->load(xmlOnFirstElement("<RandomEvents><Event " + attributes + "/></RandomEvents>").get());
		return list->getCount() == 1 ? list->get(0) : nullptr;
	}

	// Milliseconds of scheduler time, one run period at a time, until the target received count
	// requests; -1 when that does not happen within limit ms.
	int runUntilReceived(size_t count, int limit)
	{
		for (int t = 0; t <= limit; t += GRandomEvent::RunPeriod)
		{
			if (target->received.size() >= count)
				return t;
			scheduler->update(GRandomEvent::RunPeriod);
		}
		return -1;
	}

	SmartPointer<GRandomEventList> list{new GRandomEventList()};
	SmartPointer<RequestTarget> target{new RequestTarget()};
	SmartPointer<TaskScheduler> scheduler{new TaskScheduler()};
};
} // namespace

TEST_F(RandomEvents, ListReadsKnownTypesOnly)
{
	list->load(xmlOnFirstElement("<RandomEvents>\n"
	                             "<Event Type=\"RegularSellBuildingRequest\" PeriodRange=\"20000;40000\"/>\n"
	                             "<Event Type=\"SellBuilding\"/>\n"
	                             "<Event Type=\"OneTimeLetterRequest\" TimeRange=\"0;0\"/>\n"
	                             "<Event Type=\"RegularWeatherEffectRequest\"/>\n"
	                             "<Event Type=\"OneTimeWeatherEffectRequest\"/>\n"
	                             "<Group><Event Type=\"RegularSellBuildingRequest\"/></Group>\n"
	                             "</RandomEvents>")
	               .get());
	ASSERT_EQ(list->getCount(), 3u);
	EXPECT_EQ(list->get(0)->getRequestType(), GEventSellBuildingRequest::TypeId);
	EXPECT_EQ(list->get(1)->getRequestType(), GEventLetterRequest::TypeId);
	EXPECT_EQ(list->get(2)->getRequestType(), GEventWeatherRequest::TypeId);
	list->load(xmlOnFirstElement("<RandomEvents/>").get());
	EXPECT_EQ(list->getCount(), 0u);
}

TEST_F(RandomEvents, RequestsAreKindsOfTheirBases)
{
	SmartPointer<GEventLetterRequest> letter(new GEventLetterRequest({}, {}, {500.0f, 2000.5f}, {1.0f, 2.0f}));
	for (int id : {4115, 4110, 4096, 0})
		EXPECT_TRUE(letter->isKindOf(id)) << id;
	EXPECT_FALSE(letter->isKindOf(4111));
	EXPECT_EQ(letter->mask, static_cast<unsigned>(EventCategoryGame));
	SmartPointer<GEventSellBuildingRequest> sell(new GEventSellBuildingRequest({}, {}));
	EXPECT_EQ(sell->typeId(), 4111);
	EXPECT_TRUE(sell->isKindOf(4110));
}

TEST_F(RandomEvents, OneTimeEventFiresOnceWhenItsCountdownReachesZero)
{
	GRandomEvent* letter = event("Type=\"OneTimeLetterRequest\" TimeRange=\"0;0\" BuildingTypes=\"Hostel1; Cafe\" "
	                             "MoneyRange=\"500;2000.5\" WaitTimeRange=\"10000;20000\"");
	ASSERT_TRUE(letter);
	letter->start(target.get(), scheduler.get());
	// TimeRange 0;0 fires on the first tick.
	EXPECT_EQ(runUntilReceived(1, 10000), GRandomEvent::RunPeriod);
	EXPECT_EQ(target->received[0], GEventLetterRequest::TypeId);
	EXPECT_EQ(target->lastTypes, "Hostel1,Cafe");
	EXPECT_EQ(target->lastMoney, irr::core::vector2df(500.0f, 2000.5f));
	EXPECT_EQ(target->lastWait, irr::core::vector2df(10000.0f, 20000.0f));
	EXPECT_EQ(runUntilReceived(2, 10000), -1);
	EXPECT_EQ(scheduler->getTaskCount(), 0);

	// Started again, it fires again; a target that does not take it passes it to its parent.
	target->takes = false;
	letter->start(target.get(), scheduler.get());
	EXPECT_NE(runUntilReceived(2, 1000), -1);
	EXPECT_EQ(target->parentModes, std::vector<int>{DeliverSelfThenParent});
}

TEST_F(RandomEvents, RegularEventFirstFiresWithinItsPeriodAndThenAgain)
{
	for (unsigned seed : {1u, 2u, 3u, 4u, 5u})
	{
		Random::instance()->seed(seed);
		target->received.clear();
		GRandomEvent* sell = event("Type=\"RegularSellBuildingRequest\" PeriodRange=\"20000;40000\"");
		ASSERT_TRUE(sell);
		sell->start(target.get(), scheduler.get());
		// Fires once the countdown is below 0: after 20000 to 39999 ms, on a run tick.
		const int first = runUntilReceived(1, 50000);
		EXPECT_GT(first, 20000) << seed;
		EXPECT_LE(first, 40000) << seed;
		EXPECT_NE(runUntilReceived(3, 100000), -1) << "a regular event without a life runs on";
	}
}

TEST_F(RandomEvents, PausedEventsMoveNeitherCountdownNorLife)
{
	GRandomEvent* weather =
	    event("Type=\"RegularWeatherEffectRequest\" FirstTimeRange=\"1000;1000\" PeriodRange=\"100000;100000\" "
	          "LastTimeRange=\"5000;5000\" DurationTimeRange=\"3000;8000\"");
	ASSERT_TRUE(weather);
	weather->start(target.get(), scheduler.get());
	weather->setPaused(true);
	EXPECT_EQ(runUntilReceived(1, 60000), -1);
	EXPECT_EQ(scheduler->getTaskCount(), 1);
	weather->setPaused(false);
	EXPECT_EQ(runUntilReceived(1, 10000), 1500);
	EXPECT_EQ(target->lastDuration, irr::core::vector2di(3000, 8000));
}

TEST_F(RandomEvents, LifeOfWholeTicksStillEnds)
{
	struct Case
	{
		const char* lastTimeRange;
		int endsAfter; // ms of unpaused time
	};
	// 60000 is a whole number of run periods; 60200 is not.
	for (const Case& c : {Case{"60000;60000", 60000}, Case{"60200;60200", 60500}, Case{"500;500", 500}})
	{
		GRandomEvent* sell = event(std::string("Type=\"RegularSellBuildingRequest\" PeriodRange=\"100;200\" "
		                                       "LastTimeRange=\"") +
		                           c.lastTimeRange + "\"");
		ASSERT_TRUE(sell);
		target->received.clear();
		sell->start(target.get(), scheduler.get());
		int elapsed = 0;
		while (scheduler->getTaskCount() > 0 && elapsed < 200000)
		{
			scheduler->update(GRandomEvent::RunPeriod);
			elapsed += GRandomEvent::RunPeriod;
		}
		EXPECT_EQ(elapsed, c.endsAfter) << c.lastTimeRange;
		// One request per tick before the last one, none on the tick that ends it.
		EXPECT_EQ(target->received.size(), static_cast<size_t>(c.endsAfter / GRandomEvent::RunPeriod - 1))
		    << c.lastTimeRange;
	}
}

TEST_F(RandomEvents, PicksStayInsideTheRangeWhateverItsOrder)
{
	struct Case
	{
		irr::core::vector2di range;
		int low;
		int high; // inclusive
	};
	const Case cases[] = {
	    {{1000, 5000}, 1000, 4999},
	    {{5000, 1000}, 1000, 4999},
	    {{7000, 0}, 0, 6999},
	    {{-300, -100}, -300, -101},
	    {{4000, 4000}, 4000, 4000},
	    {{0, 0}, 0, 0},
	    {{-2147483647 - 1, 2147483647}, -2147483647 - 1, 2147483646},
	};
	for (const Case& c : cases)
		for (int i = 0; i < 200; ++i)
		{
			const int value = GRandomEvent::pickInRange(c.range);
			EXPECT_GE(value, c.low) << c.range.X << ";" << c.range.Y;
			EXPECT_LE(value, c.high) << c.range.X << ";" << c.range.Y;
		}

	// A one-time event written with its range reversed still fires inside it.
	for (unsigned seed : {11u, 12u, 13u})
	{
		Random::instance()->seed(seed);
		target->received.clear();
		GRandomEvent* dirty = event("Type=\"OneTimeDirtyBuildingRequest\" TimeRange=\"6000;2000\"");
		dirty->start(target.get(), scheduler.get());
		const int fired = runUntilReceived(1, 100000);
		EXPECT_GE(fired, 2000);
		EXPECT_LE(fired, 6000);
	}
	// Negative times are no times: such an event fires on its first tick.
	target->received.clear();
	GRandomEvent* past = event("Type=\"OneTimeCafeBuildingRequest\" TimeRange=\"-3000;-1000\"");
	past->start(target.get(), scheduler.get());
	EXPECT_EQ(runUntilReceived(1, 5000), GRandomEvent::RunPeriod);
}

TEST_F(RandomEvents, StoppedOrTargetlessEventsSendNothing)
{
	GRandomEvent* broken = event("Type=\"RegularBrokenBuildingRequest\" PeriodRange=\"500;500\"");
	ASSERT_TRUE(broken);
	broken->start(nullptr, scheduler.get());
	EXPECT_EQ(runUntilReceived(1, 5000), -1);
	EXPECT_EQ(scheduler->getTaskCount(), 1);
	broken->stop();
	EXPECT_EQ(scheduler->getTaskCount(), 0);
	// Dropping the list takes its events off the scheduler.
	broken->start(target.get(), scheduler.get());
	list = nullptr;
	EXPECT_EQ(scheduler->getTaskCount(), 0);
}
