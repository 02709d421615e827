#include "data/GObjective.h"

#include "LevelDataTestSupport.h"
#include "ObjectiveTestSupport.h"
#include "content/CDictionary.h"
#include "data/GObjectiveList.h"

#include <gtest/gtest.h>

namespace
{
irr::core::array<int> featureStates(std::initializer_list<int> states)
{
	irr::core::array<int> list;
	for (int state : states)
		list.push_back(state);
	return list;
}

// Objectives read from Objective elements, checked against a level of plain values.
class Objectives : public testing::Test
{
protected:
	void SetUp() override
	{
		dictionary->setText("MoneyDollar", L"$#p");
		dictionary->setText("Obj_Income", L"Earn #p a day");
		dictionary->setText("Obj_IncomeFull", L"Earn at least #p every day");
		dictionary->setText("Obj_Workers", L"Hire #p workers");
		dictionary->setText("Obj_HaveGuests", L"Welcome #p guests");
	}

	// The one objective of an Objectives element holding the given Objective attributes.
	SmartPointer<GObjective> objective(const std::string& attributes)
	{
		list->load(xmlOnFirstElement("<Objectives><Objective " + attributes + "/></Objectives>").get());
		if (list->getCount() != 1)
			return nullptr;
		list->get(0)->grab();
		return SmartPointer<GObjective>(list->get(0));
	}

	std::string progress(GObjective& o) { return wideText(o.getProgressText(level, *dictionary)); }

	SmartPointer<GObjectiveList> list{new GObjectiveList()};
	SmartPointer<CDictionary> dictionary{new CDictionary()};
	FakeObjectiveLevel level;
};
} // namespace

TEST_F(Objectives, ListKeepsKnownTypesInFileOrder)
{
	list->load(xmlOnFirstElement("<Objectives>\n"
	                             "<Objective Type=\"Money\" Value=\"5000\" InfoStr=\"Save up\"/>\n"
	                             "<Objective Type=\"BuildTime\" Value=\"1\"/>\n"
	                             "<Objective Type=\"workers\" Value=\"1\"/>\n"
	                             "<Other><Objective Type=\"Income\"/></Other>\n"
	                             "<Objective Type=\"GuestsCount\" Value=\"40\"/>\n"
	                             "</Objectives>\n<Objective Type=\"Workers\" Value=\"3\"/>")
	               .get());
	ASSERT_EQ(list->getCount(), 2u);
	EXPECT_EQ(wideText(list->get(0)->getText(*dictionary, false)), "Save up");
	EXPECT_EQ(wideText(list->get(1)->getText(*dictionary, false)), "Welcome 40 guests");
	// Loading again replaces the list; an empty element gives none.
	list->load(xmlOnFirstElement("<Objectives/>").get());
	EXPECT_EQ(list->getCount(), 0u);
	EXPECT_FALSE(createObjective(L"Money ").get());
}

TEST_F(Objectives, ValueObjectivesCompareTheLevelValues)
{
	struct Case
	{
		const char* attributes;
		const char* text;
		const char* hint;
	};
	const Case cases[] = {
	    {"Type=\"Money\" Value=\"2000000\" InfoStr=\"Be rich\"", "Be rich", "%GamePlay_CompleteHintMoney%"},
	    {"Type=\"Income\" Value=\"12500.9\"", "Earn 12,500 a day", "%GamePlay_CompleteHintIncome%"},
	    {"Type=\"Workers\" Value=\"4\"", "Hire 4 workers", "%GamePlay_CompleteHintWorkers%"},
	    {"Type=\"GuestsCount\" Value=\"150\"", "Welcome 150 guests", "%GamePlay_CompleteHintGuests%"},
	};
	for (const Case& c : cases)
	{
		SmartPointer<GObjective> o = objective(c.attributes);
		ASSERT_TRUE(o) << c.attributes;
		EXPECT_EQ(wideText(o->getText(*dictionary, false)), c.text);
		EXPECT_EQ(wideText(o->getHintText()), c.hint);
		level = FakeObjectiveLevel();
		EXPECT_FALSE(o->isComplete(level)) << c.attributes;
	}
	EXPECT_EQ(wideText(objective("Type=\"Income\" Value=\"12500\"")->getText(*dictionary, true)),
	          "Earn at least 12,500 every day");

	level.money = 1234567.6f;
	level.income = 12500.0f;
	level.workers = 4;
	level.guests = 149;
	SmartPointer<GObjective> money = objective("Type=\"Money\" Value=\"2000000\"");
	EXPECT_EQ(progress(*money), "$1,234,568/$2,000,000");
	EXPECT_FALSE(money->isComplete(level));
	level.money = 2000000.0f;
	EXPECT_TRUE(money->isComplete(level));
	SmartPointer<GObjective> income = objective("Type=\"Income\" Value=\"12500\"");
	EXPECT_TRUE(income->isComplete(level));
	EXPECT_EQ(progress(*income), "$12,500/$12,500");
	SmartPointer<GObjective> workers = objective("Type=\"Workers\" Value=\"4\"");
	EXPECT_TRUE(workers->isComplete(level));
	EXPECT_EQ(progress(*workers), "4/4");
	SmartPointer<GObjective> guests = objective("Type=\"GuestsCount\" Value=\"150\"");
	EXPECT_FALSE(guests->isComplete(level));
	EXPECT_EQ(progress(*guests), "149/150");
}

TEST_F(Objectives, TypedCountFiltersByTypePlaceAndOwnership)
{
	level.build("Place1", "Hostel1");
	level.build("Place2", "Hostel1").owned = false;
	level.build("Place3", "Camping1");
	level.build("Place4", "Hostel1").condition = 1;
	level.build("Place5", "Hostel1").forSale = true;
	struct Case
	{
		const char* attributes;
		const char* progress;
	};
	const Case cases[] = {
	    {"BuildingTypes=\"Hostel1\" Value=\"2\"", "4/2"},
	    {"BuildingTypes=\"Hostel1\" MustOwn=\"true\" Value=\"2\"", "1/2"},
	    // Only "true" exactly asks for ownership.
	    {"BuildingTypes=\"Hostel1\" MustOwn=\"True\" Value=\"2\"", "4/2"},
	    {"BuildingTypes=\"Hostel1;Camping1\" PlaceNames=\"Place1;Place3;Place4\" Value=\"3\"", "3/3"},
	    {"PlaceNames=\"Place3\" Value=\"1\"", "1/1"},
	};
	for (const Case& c : cases)
	{
		SmartPointer<GObjective> o = objective(std::string("Type=\"HaveTypedBuildingsCount\" ") + c.attributes);
		ASSERT_TRUE(o);
		EXPECT_EQ(progress(*o), c.progress) << c.attributes;
	}
}

TEST_F(Objectives, TypedCountTestsTheIncomeBonusBeforeTheServedGuests)
{
	level.build("A", "Hostel1").incomeBonus = 20.0f;
	level.build("B", "Hostel1").servedGuests = 50;
	GObjectiveBuilding& c = level.build("C", "Hostel1");
	c.incomeBonus = 10.0f;
	c.servedGuests = 50;
	// Both minimums: only the bonus is tested.
	EXPECT_EQ(progress(*objective("Type=\"HaveTypedBuildingsCount\" MinIncomeBonus=\"10\" MinServedGuests=\"40\" "
	                              "Value=\"3\"")),
	          "2/3");
	EXPECT_EQ(progress(*objective("Type=\"HaveTypedBuildingsCount\" MinServedGuests=\"40\" Value=\"3\"")), "2/3");
	EXPECT_EQ(progress(*objective("Type=\"HaveTypedBuildingsCount\" MinIncomeBonus=\"15\" Value=\"1\"")), "1/1");
}

TEST_F(Objectives, AnEmptyTypeListMeansAnyBuiltBuildingNeverAnEmptyPlace)
{
	// An empty place with a high bonus, a building being demolished and one being upgraded from level 1.
	level.build("Empty", "EmptyPlace", 0).incomeBonus = 50.0f;
	GObjectiveBuilding& demolished = level.build("Gone", "Hostel1");
	demolished.workKind = 2;
	demolished.incomeBonus = 50.0f;
	GObjectiveBuilding& upgrading = level.build("Up", "Hostel2", 2);
	upgrading.workKind = 1;
	upgrading.previous = {true, internStringId("Hostel1"), 1};
	upgrading.incomeBonus = 50.0f;
	for (const char* attributes : {"Value=\"1\"", "MinIncomeBonus=\"20\" Value=\"1\""})
	{
		SmartPointer<GObjective> any = objective(std::string("Type=\"HaveTypedBuildingsCount\" ") + attributes);
		EXPECT_EQ(progress(*any), "1/1") << attributes;
	}
	// The upgrade counts as its level-1 record until it is done.
	EXPECT_EQ(progress(*objective("Type=\"HaveTypedBuildingsCount\" BuildingTypes=\"Hostel1\" Value=\"1\"")), "1/1");
	EXPECT_EQ(progress(*objective("Type=\"HaveTypedBuildingsCount\" BuildingTypes=\"Hostel2\" Value=\"1\"")), "0/1");
}

TEST_F(Objectives, EachTypeCountsEveryTypeUpToValue)
{
	for (const char* place : {"P1", "P2", "P3"})
		level.build(place, "Hostel1");
	SmartPointer<GObjective> each =
	    objective("Type=\"HaveEachTypeBuildingsCount\" BuildingTypes=\"Hostel1;Cafe\" Value=\"2\"");
	EXPECT_EQ(progress(*each), "2/4");
	EXPECT_FALSE(each->isComplete(level));
	level.build("P4", "Cafe");
	level.build("P5", "Cafe").owned = false;
	EXPECT_TRUE(each->isComplete(level));
	EXPECT_EQ(progress(*objective("Type=\"HaveEachTypeBuildingsCount\" BuildingTypes=\"Hostel1;Cafe\" Value=\"2\" "
	                              "MustOwn=\"true\"")),
	          "3/4");
	// The largest target a file may hold (larger ones are refused as damaged), times the types, is held at
	// the top of the int range.
	EXPECT_EQ(progress(*objective("Type=\"HaveEachTypeBuildingsCount\" BuildingTypes=\"Hostel1;Cafe;Bar\" "
	                              "Value=\"1000000000\"")),
	          "5/2147483647");
	// Without types there is nothing to have.
	SmartPointer<GObjective> none = objective("Type=\"HaveEachTypeBuildingsCount\" Value=\"2\"");
	EXPECT_TRUE(none->isComplete(level));
	EXPECT_EQ(progress(*none), "0/0");
}

TEST_F(Objectives, HistoryCountMatchesActionTypeAndPlace)
{
	level.history = {{4, internStringId("Hostel1"), internStringId("P1")},
	                 {4, internStringId("Cafe"), internStringId("P2")},
	                 {8, internStringId("Hostel1"), internStringId("P1")},
	                 {4, internStringId("Hostel1"), internStringId("P3")}};
	struct Case
	{
		const char* attributes;
		const char* progress;
	};
	for (const Case& c :
	     {Case{"Action=\"4\" Value=\"3\"", "3/3"}, Case{"Action=\"4\" BuildingTypes=\"Hostel1\" Value=\"3\"", "2/3"},
	      Case{"Action=\"4\" BuildingTypes=\"Hostel1\" PlaceNames=\"P3\" Value=\"1\"", "1/1"},
	      Case{"Action=\"8\" Value=\"2\"", "1/2"}, Case{"Value=\"1\"", "0/1"}})
		EXPECT_EQ(progress(*objective(std::string("Type=\"TypedHistoryActionsCount\" ") + c.attributes)), c.progress)
		    << c.attributes;
}

TEST_F(Objectives, ConcurrentFeaturesPairTypesWithFeatureIndicesOneBuildingEach)
{
	// Three types and two indices make two pairs: (Hostel1, feature 1) and (Hostel1, feature 0).
	SmartPointer<GObjective> features =
	    objective("Type=\"HaveConcurrentFeatures\" BuildingTypes=\"Hostel1;Hostel1;Cafe\" FeatureIndices=\"1;0\" "
	              "InfoStr=\"Party\"");
	GObjectiveBuilding& first = level.build("P1", "Hostel1");
	first.featureStates = featureStates({1, 1});
	EXPECT_EQ(progress(*features), "1/2");
	EXPECT_FALSE(features->isComplete(level));
	// A second hostel running feature 0 makes the second pair; a broken one would not.
	GObjectiveBuilding& second = level.build("P2", "Hostel1");
	second.featureStates = featureStates({1});
	second.condition = 1;
	EXPECT_FALSE(features->isComplete(level));
	level.buildings.back().condition = 0;
	EXPECT_TRUE(features->isComplete(level));
	// Once met it stays met until the level starts it again.
	level.buildings.clear();
	EXPECT_TRUE(features->isComplete(level));
	EXPECT_EQ(progress(*features), "0/2");
	features->start();
	EXPECT_FALSE(features->isComplete(level));
	// A feature index past the building's features never counts.
	level.build("P3", "Hostel1").featureStates = featureStates({1});
	EXPECT_EQ(progress(*objective("Type=\"HaveConcurrentFeatures\" BuildingTypes=\"Hostel1\" FeatureIndices=\"3\"")),
	          "0/1");
}
