#include "TutorialTestSupport.h"
#include "core/InputEvents.h"
#include "data/GEventDirtyBuildingRequest.h"
#include "data/GEventLetterRequest.h"
#include "data/GEventRequest.h"
#include "data/GEventWorkCompleted.h"

#include <functional>
#include <gtest/gtest.h>

using namespace leveltest;
using namespace tutorialtest;

namespace
{
// A level with an owned campsite and an owned hostel: the buildings the actions look at.
struct ActionLevel : LevelRig
{
	ActionLevel()
	    : LevelRig(levelXml(buildingXml("Place1", 100, 200, "Camping1") + buildingXml("Place2", 300, 200, "Hostel1") +
	                        buildingXml("Place3", 500, 200, "BuildingPlace", false)))
	{
		records = buildingsConfiguration(recordXml("BuildingPlace", 0, 0) + recordXml("Camping1", 1, 0) +
		                                 recordXml("Hostel1", 1, 0));
		configuration = levelConfiguration(prop("float", "InitMoney", "5000"));
		attach();
		setUp(records.get(), configuration.get());
	}
	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> configuration;
};

using EventMaker = std::function<SmartPointer<CEvent>(ActionLevel&)>;

// Named nodes outlive the events that name them.
std::vector<SmartPointer<BaseNode>>& namedNodes()
{
	static std::vector<SmartPointer<BaseNode>> nodes;
	return nodes;
}
BaseNode* named(const char* name)
{
	namedNodes().emplace_back(new BaseNode());
	namedNodes().back()->setName(name);
	return namedNodes().back().get();
}

EventMaker click(const char* name)
{
	return [name](ActionLevel&) { return SmartPointer<CEvent>(new CEventNodeClicked(named(name))); };
}
EventMaker clickBuilding(const char* place)
{
	return [place](ActionLevel& level) { return SmartPointer<CEvent>(new CEventNodeClicked(level.building(place))); };
}
EventMaker listClick(const char* list, int item)
{
	return [=](ActionLevel&) { return SmartPointer<CEvent>(new CEventNodeListItemClicked(named(list), item)); };
}
EventMaker hover(const char* list, int item)
{
	return [=](ActionLevel&) { return SmartPointer<CEvent>(new CEventNodeListItemHovered(named(list), item)); };
}
EventMaker completed(const char* place)
{
	return [place](ActionLevel& level)
	{
		GBuildingNode* building = level.building(place);
		return SmartPointer<CEvent>(new GEventWorkCompleted(building, building->getRecord()));
	};
}
EventMaker press()
{
	return [](ActionLevel&) { return SmartPointer<CEvent>(new CEventInputMouseLeftDown(500, 700)); };
}
EventMaker dirty()
{
	return [](ActionLevel&) { return SmartPointer<CEvent>(new GEventDirtyBuildingRequest({}, {})); };
}
EventMaker letter()
{
	return [](ActionLevel&) { return SmartPointer<CEvent>(new GEventLetterRequest({}, {}, {1, 2}, {1, 2})); };
}
} // namespace

// Each watching action sees one event: whether it swallows it and whether it is done afterwards.
TEST(TutorialActions, WatchingActionsByTheEventsTheyWaitFor)
{
	struct Case
	{
		const char* name;
		const char* action;
		EventMaker event;
		bool consumed;
		bool done;
	};
	const char* controls = R"(<Action Type="ControlPress" Controls=" UpgradeButton ;; RepairButton"/>)";
	const char* listPress = R"(<Action Type="ListItemPress" List="BuyMaterialsList" Indices="1, 2"/>)";
	const char* listHover = R"(<Action Type="ListItemHovered" List="BuyMaterialsList" Indices="1;2"/>)";
	const char* building = R"(<Action Type="BuildingPress" BuildingTypes="Camping1"/>)";
	const char* builtCamp = R"(<Action Type="BuildingCompleted" Buildings="Camping1"/>)";
	const char* builtOrOwned = R"(<Action Type="BuildingCompletedOrExist" BuildingTypes="Camping1"/>)";
	const Case cases[] = {
	    {"any click ends a mouse click", R"(<Action Type="MouseClick"/>)", click("Anything"), true, true},
	    {"a list click ends a mouse click", R"(<Action Type="MouseClick"/>)", listClick("L", 0), true, true},
	    {"hovering is no click", R"(<Action Type="MouseClick"/>)", hover("L", 0), false, false},
	    {"a press anywhere ends a mouse click", R"(<Action Type="MouseClick"/>)", press(), true, true},
	    {"a press is left to the control it lands on", controls, press(), false, false},
	    {"a press is left to the building it lands on", building, press(), false, false},
	    {"the right building", building, clickBuilding("Place1"), false, true},
	    {"another building", building, clickBuilding("Place2"), true, false},
	    {"a place without the type", building, clickBuilding("Place3"), true, false},
	    {"a control instead of a building", building, click("UpgradeButton"), true, false},
	    {"a list instead of a building", building, listClick("HotelsBuildList", 0), true, false},
	    {"the first control", controls, click("UpgradeButton"), false, true},
	    {"the second control", controls, click("RepairButton"), false, true},
	    {"another control", controls, click("SellButton"), true, false},
	    {"a list instead of a control", controls, listClick("BuyMaterialsList", 1), true, false},
	    {"the right list item", listPress, listClick("BuyMaterialsList", 2), false, true},
	    {"another item", listPress, listClick("BuyMaterialsList", 3), true, false},
	    {"another list", listPress, listClick("TrainWorkersList", 1), true, false},
	    {"a control instead of an item", listPress, click("BuyMaterialsList"), true, false},
	    {"a list press without a list", R"(<Action Type="ListItemPress" Indices="0"/>)", listClick("L", 0), true,
	     false},
	    {"the hovered item", listHover, hover("BuyMaterialsList", 1), false, true},
	    {"another hovered item", listHover, hover("BuyMaterialsList", 0), false, false},
	    {"a click while waiting for hover", listHover, click("SellButton"), false, false},
	    {"a list click while waiting for hover", listHover, listClick("BuyMaterialsList", 1), false, false},
	    {"the awaited building finished", builtCamp, completed("Place1"), false, true},
	    {"another building finished", builtCamp, completed("Place2"), false, false},
	    {"no abort while building", builtCamp, click("AbortButton"), true, false},
	    {"other clicks pass while building", builtCamp, click("SellButton"), false, false},
	    {"finished or owned: finished", builtOrOwned, completed("Place1"), false, true},
	    {"finished or owned: no abort", builtOrOwned, click("AbortButton"), true, false},
	    {"a dirty building", R"(<Action Type="WaitDirty"/>)", dirty(), false, true},
	    {"a letter is not dirt", R"(<Action Type="WaitDirty"/>)", letter(), false, false},
	    {"a letter", R"(<Action Type="WaitLetter"/>)", letter(), false, true},
	    {"dirt is no letter", R"(<Action Type="WaitLetter"/>)", dirty(), false, false},
	};
	ActionLevel level;
	for (const Case& c : cases)
	{
		SmartPointer<GTutorialAction> action = actionFromXml(c.action);
		ASSERT_TRUE(action) << c.name;
		action->start(nullptr);
		SmartPointer<CEvent> event = c.event(level);
		EXPECT_EQ(action->onEvent(event.get()), c.consumed) << c.name;
		EXPECT_EQ(action->isDone(), c.done) << c.name;
		// A done flag stays set whatever comes next.
		SmartPointer<CEvent> other(new CEventNodeListItemHovered(named("Other"), 99));
		action->onEvent(other.get());
		EXPECT_EQ(action->isDone(), c.done) << c.name;
	}
	namedNodes().clear();
}

TEST(TutorialActions, TimedCountsDownTheElapsedTime)
{
	struct Case
	{
		const char* action;
		std::vector<int> steps;
		std::vector<bool> doneAfter;
	};
	const Case cases[] = {
	    {R"(<Action Type="Timed" Time="100"/>)", {60, 39, 1, 50}, {false, false, true, true}},
	    {R"(<Action Type="Timed" Time="100"/>)", {500}, {true}},
	    {R"(<Action Type="Timed"/>)", {0}, {true}},
	    {R"(<Action Type="Timed" Time="-5"/>)", {0}, {true}},
	    {R"(<Action Type="Timed" Time="soon"/>)", {0}, {true}},
	};
	for (const Case& c : cases)
	{
		SmartPointer<GTutorialAction> action = actionFromXml(c.action);
		for (size_t i = 0; i < c.steps.size(); ++i)
		{
			action->update(c.steps[i]);
			EXPECT_EQ(action->isDone(), c.doneAfter[i]) << c.action << " step " << i;
		}
	}
}

// The existence query asks the level itself: an owned building of the type ends the action at once.
TEST(TutorialActions, BuildingCompletedOrExistAsksTheLevel)
{
	struct Case
	{
		const char* types;
		bool withTarget;
		bool done;
	};
	const Case cases[] = {
	    {"Camping1", true, true},   {"Hostel2; Camping1", true, true},
	    {"Hostel2", true, false},   {"BuildingPlace", true, false}, // the place is not the player's
	    {"Camping1", false, false},
	};
	ActionLevel level;
	for (const Case& c : cases)
	{
		SmartPointer<GTutorialAction> action =
		    actionFromXml(std::string(R"(<Action Type="BuildingCompletedOrExist" BuildingTypes=")") + c.types + "\"/>");
		action->start(c.withTarget ? level.level.get() : nullptr);
		EXPECT_FALSE(action->isDone()) << c.types;
		action->update(20);
		EXPECT_EQ(action->isDone(), c.done) << c.types;
	}
}

namespace
{
// Stand-in level that keeps the last message it was sent.
class RequestLog : public TargetLog
{
public:
	bool onEvent(CEvent* event) override
	{
		last = shareRef(event);
		return TargetLog::onEvent(event);
	}
	SmartPointer<CEvent> last;
};

std::string idsText(const irr::core::array<StringId>& ids)
{
	std::string text;
	for (irr::u32 i = 0; i < ids.size(); ++i)
		text += std::string(i ? ";" : "") + getStringById(ids[i]).c_str();
	return text;
}
} // namespace

// Each generator sends its request on its first update, carrying the file's lists, and ends its hint.
TEST(TutorialActions, GeneratorsSendTheirRequestOnTheFirstUpdate)
{
	struct Case
	{
		const char* type;
		int id;
	};
	const Case cases[] = {
	    {"GenerateSellBuildingRequest", 4111},
	    {"GenerateBrokenBuildingRequest", 4112},
	    {"GenerateDirtyBuildingRequest", 4113},
	    {"GenerateLetterRequest", 4115},
	};
	for (const Case& c : cases)
	{
		SmartPointer<RequestLog> level(new RequestLog());
		SmartPointer<GTutorialAction> action = actionFromXml(
		    std::string("<Action Type=\"") + c.type + R"(" BuildingTypes="Camping1; Camping2" PlaceNames="Place4"/>)");
		action->start(level.get());
		EXPECT_TRUE(level->ids.empty()) << c.type;
		EXPECT_TRUE(action->isDone()) << c.type;
		action->update(20);
		ASSERT_EQ(level->ids, std::vector<int>{c.id}) << c.type;
		auto* request = eventCast<GEventRequest>(level->last.get());
		ASSERT_TRUE(request) << c.type;
		EXPECT_EQ(idsText(request->buildingTypes), "Camping1;Camping2") << c.type;
		EXPECT_EQ(idsText(request->placeNames), "Place4") << c.type;
		if (auto* letter = eventCast<GEventLetterRequest>(request))
		{
			EXPECT_EQ(letter->moneyRange, irr::core::vector2df(1.5f, 2.0f));
			EXPECT_EQ(letter->waitTimeRange, irr::core::vector2df(200000000.0f, 200000000.0f));
		}

		// Without a level (map, shop) the action only ends its hint.
		SmartPointer<GTutorialAction> alone = actionFromXml(std::string("<Action Type=\"") + c.type + "\"/>");
		alone->start(nullptr);
		alone->update(20);
		EXPECT_TRUE(alone->isDone()) << c.type;
	}
}

TEST(TutorialActions, PauseHoldsTheLevelUntilItsHintEnds)
{
	ActionLevel level;
	SmartPointer<GTutorialAction> action = actionFromXml(R"(<Action Type="GeneratePauseRequest"/>)");
	action->start(level.level.get());
	EXPECT_TRUE(level.level->isPaused());
	action->update(1000);
	EXPECT_FALSE(action->isDone());
	action->finish();
	EXPECT_FALSE(level.level->isPaused());

	SmartPointer<GTutorialAction> alone = actionFromXml(R"(<Action Type="GeneratePauseRequest"/>)");
	alone->start(nullptr);
	alone->update(1000);
	alone->finish();
	EXPECT_FALSE(alone->isDone());
}

TEST(TutorialActions, UnknownTypesMakeNoAction)
{
	for (const char* type : {"", "timed", "Pause", "GenerateWeatherRequest"})
		EXPECT_FALSE(GTutorialHint::createAction(widen(type))) << type;
}
