#include "LevelTestSupport.h"
#include "data/GEventLetterRequest.h"
#include "data/GEventLevelCompleted.h"
#include "data/GEventNewDay.h"
#include "data/GEventResourcesReturned.h"
#include "data/GEventWeatherRequest.h"
#include "effects/GWeatherParticlesNode.h"
#include "data/GResourceOffer.h"
#include "device/IDevice.h"
#include "nodes/TextNode.h"

#include <functional>
#include <gtest/gtest.h>

using namespace leveltest;
using namespace irr;

namespace
{
std::string modifier(const char* type, const char* value)
{
	return "<LevelModifiers><Modifier Type=\"" + std::string(type) + "\" Value=\"" + value + "\"/></LevelModifiers>";
}

// A hostel line, a hostel that earns nothing, a fountain that lets letters come, and the empty place.
const std::string economyRecords =
    recordXml("BuildingPlace", 0, 0, prop("float", "SellPrice", "1000")) +
    recordXml("Hostel1", 1, 0,
              prop("float", "Income", "1000") + prop("int", "GuestsCount", "10") + prop("float", "RepairTime", "500")) +
    recordXml("Tent1", 1, 0, prop("float", "Income", "0") + prop("int", "GuestsCount", "2")) +
    recordXml("PostOffice1", 1, 1, prop("float", "Income", "0"), modifier("CanReceiveMoneyLetters", "1"));

// Owned hostels on Place1 and Place2, a tent on Place3, a post office on Place4 and a place nobody
// owns; $5,000 to start and a day of 2 s.
struct EconomyLevel : LevelRig
{
	explicit EconomyLevel(const std::string& properties = "", const std::string& more = "",
	                      const std::string& templates = "")
	    : LevelRig(levelXml(buildingXml("Place1", 100, 200, "Hostel1") + buildingXml("Place2", 300, 200, "Hostel1") +
	                        buildingXml("Place3", 500, 200, "Tent1") + buildingXml("Place4", 700, 200, "PostOffice1") +
	                        buildingXml("Place5", 900, 200, "Hostel1", false)),
	               templates)
	{
		records = buildingsConfiguration(economyRecords);
		configuration =
		    levelConfiguration(prop("float", "InitMoney", "5000") + prop("int", "DayLength", "2") + properties,
		                       more.empty() ? "<Objectives><Objective Type=\"Money\" Value=\"1000000000\"/>"
		                                      "</Objectives>"
		                                    : more);
		attach();
		setUp(records.get(), configuration.get());
		enter();
		drain();
		services.log->ids.clear();
	}
	int posted(int id)
	{
		drain();
		return services.log->count(id);
	}

	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> configuration;
};

const std::string letterTemplate =
    nodeXml("BaseNode", "MoneyLetter", "", nodeXml("TextNode", "Text") + nodeXml("BaseNode", "Progress"));
} // namespace

// A day pays the income of the buildings that work, once per day, and tells the play screen.
TEST(GGameLevelEconomy, ADayPaysTheIncomeOfWorkingBuildings)
{
	struct Case
	{
		const char* name;
		std::function<void(EconomyLevel&)> change;
		float income;
	};
	const Case cases[] = {
	    {"two hostels", [](EconomyLevel&) {}, 2000.0f},
	    {"one broken", [](EconomyLevel& rig) { rig.building("Place1")->setCondition(GBuildingNode::Broken); }, 1000.0f},
	    {"one for sale", [](EconomyLevel& rig) { rig.building("Place2")->setForSale(true); }, 1000.0f},
	    {"one not owned", [](EconomyLevel& rig) { rig.building("Place2")->setOwned(false); }, 1000.0f},
	    {"the other's bought", [](EconomyLevel& rig) { rig.building("Place5")->setOwned(true); }, 3000.0f},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		EconomyLevel rig;
		c.change(rig);
		rig.level->recalculateStats();
		EXPECT_EQ(rig.level->income, c.income);
		rig.tickUntil(198, [] { return false; });
		EXPECT_EQ(rig.level->money, 5000.0f) << "not yet a day";
		EXPECT_EQ(rig.posted(EventTypeGEventNewDay), 0);
		ASSERT_TRUE(rig.tickUntil(10, [&] { return rig.posted(EventTypeGEventNewDay) == 1; }));
		EXPECT_NEAR(rig.level->elapsedTime, 2000.0f, 21.0f);
		EXPECT_EQ(rig.level->money, 5000.0f + c.income);
		EXPECT_EQ(rig.level->dayTime, 0.0f);
		ASSERT_TRUE(rig.tickUntil(210, [&] { return rig.posted(EventTypeGEventNewDay) == 2; }));
		EXPECT_EQ(rig.level->money, 5000.0f + 2 * c.income) << "the second day";
		EXPECT_EQ(rig.posted(EventTypeGEventNewDay), 2);
	}
}

// Orders are paid at once and delivered after their time, faster with a delivery multiplier; a
// second order while one runs is refused, so nothing paid is ever lost.
TEST(GGameLevelEconomy, OrdersDeliverAfterTheirTime)
{
	EconomyLevel rig(prop("float", "InitMaterialsCount", "10") + prop("int", "InitWorkersCount", "2") +
	                 prop("int", "DayLength", "600"));
	SmartPointer<GResourceOffer> materials(new GResourceOffer(50.0f, 1000.0f, 1000.0f));
	SmartPointer<GResourceOffer> workers(new GResourceOffer(3.9f, 1500.0f, 2000.0f));
	ASSERT_TRUE(rig.level->buyMaterials(materials.get()));
	ASSERT_TRUE(rig.level->trainWorkers(workers.get()));
	EXPECT_EQ(rig.level->money, 2500.0f);
	EXPECT_EQ(rig.level->materialOrderTime, 1000.0f);

	EXPECT_FALSE(rig.level->buyMaterials(materials.get())) << "one order of materials at a time";
	EXPECT_EQ(rig.level->checkOrder(materials.get(), 1.0f, rig.level->materialOrderLeft), CommandRefusal::OrderRunning);
	EXPECT_FALSE(rig.level->trainWorkers(workers.get()));
	EXPECT_EQ(rig.level->money, 2500.0f) << "a refused order costs nothing";

	rig.tickUntil(98, [] { return false; });
	EXPECT_EQ(rig.level->materials, 10.0f);
	rig.tickUntil(4, [] { return false; });
	EXPECT_EQ(rig.level->materials, 60.0f);
	EXPECT_EQ(rig.level->materialOrderLeft, -1.0f);
	EXPECT_EQ(rig.level->materialOrderTime, 1000.0f) << "the nominal time stays";
	EXPECT_EQ(rig.level->freeWorkers, 2);
	ASSERT_TRUE(rig.tickUntil(200, [&] { return rig.level->freeWorkers == 5; }));
	EXPECT_NEAR(rig.level->elapsedTime, 2020.0f, 21.0f);
	EXPECT_EQ(rig.level->totalWorkers, 5) << "the count is the offer's amount, whole workers";

	// Delivered: the next order is taken; one the money does not pay is refused.
	EXPECT_TRUE(rig.level->buyMaterials(materials.get()));
	SmartPointer<GResourceOffer> dear(new GResourceOffer(1.0f, 99999.0f, 10.0f));
	EXPECT_FALSE(rig.level->trainWorkers(dear.get()));
	EXPECT_FALSE(rig.level->trainWorkers(nullptr));
	EXPECT_EQ(rig.level->money, 1500.0f);
}

// Orders reach the level sooner when a working building speeds up deliveries; prices follow their
// modifiers too.
TEST(GGameLevelEconomy, DeliveryAndPriceModifiersApply)
{
	const std::string records = recordXml("BuildingPlace", 0, 0) +
	                            recordXml("Depot1", 1, 1, "",
	                                      "<LevelModifiers><Modifier Type=\"MaterialDeliveryTimeM\" Value=\"2\"/>"
	                                      "<Modifier Type=\"MaterialPriceM\" Value=\"0.5\"/></LevelModifiers>");
	LevelRig rig(levelXml(buildingXml("Place1", 100, 200, "Depot1")));
	SmartPointer<GBuildingsConfiguration> buildingRecords = buildingsConfiguration(records);
	SmartPointer<GLevelConfiguration> configuration =
	    levelConfiguration(prop("float", "InitMoney", "5000"),
	                       "<Objectives><Objective Type=\"Money\" Value=\"1000000000\"/></Objectives>");
	rig.attach();
	rig.setUp(buildingRecords.get(), configuration.get());
	rig.enter();
	SmartPointer<GResourceOffer> offer(new GResourceOffer(50.0f, 1000.0f, 10000.0f));
	ASSERT_TRUE(rig.level->buyMaterials(offer.get()));
	EXPECT_EQ(rig.level->money, 4500.0f);
	ASSERT_TRUE(rig.tickUntil(2000, [&] { return rig.level->materials == 50.0f; }));
	EXPECT_NEAR(rig.level->elapsedTime, 5020.0f, 21.0f);
}

// The stars follow the rating steps; the rating starts at InitRating and never falls.
TEST(GGameLevelEconomy, RatingAndStarsFollowTheSteps)
{
	struct Case
	{
		const char* rating;
		int stars;
	};
	for (const Case& c : {Case{"49", 0}, Case{"50", 1}, Case{"149", 2}, Case{"0", 0}})
	{
		EconomyLevel rig(prop("float", "InitRating", c.rating));
		EXPECT_EQ(rig.level->rating, std::stof(c.rating));
		EXPECT_EQ(rig.level->getRatingStars(), c.stars) << "rating " << c.rating;
	}
	EconomyLevel rig(prop("float", "InitRating", "60"));
	rig.level->rating = 120.0f;
	rig.level->recalculateStats();
	EXPECT_EQ(rig.level->rating, 120.0f) << "the rating never falls within a level";
	EXPECT_EQ(rig.level->getRatingStars(), 2);
	SmartPointer<GGameLevelScene> bare(new GGameLevelScene());
	EXPECT_EQ(bare->getRatingStars(), 0) << "no configuration";
}

// Met objectives end the level exactly once, and the tick stops with it; a broken hotel holds the
// end back until its repair is done.
TEST(GGameLevelEconomy, ObjectivesEndTheLevelExactlyOnce)
{
	EconomyLevel rig(prop("float", "InitMaterialsCount", "100") + prop("int", "InitWorkersCount", "2"),
	                 "<Objectives><Objective Type=\"Money\" Value=\"7000\"/></Objectives>");
	EXPECT_EQ(rig.level->getHintText(), "%GamePlay_CompleteHintMoney%");
	rig.building("Place1")->setCondition(GBuildingNode::Broken);
	rig.level->recalculateStats();
	// One day of one hostel: $6,000 -- not yet.
	ASSERT_TRUE(rig.tickUntil(210, [&] { return rig.level->money == 6000.0f; }));
	EXPECT_EQ(rig.posted(EventTypeGEventLevelCompleted), 0);
	// The second day reaches the goal, but the broken hotel blocks the end.
	ASSERT_TRUE(rig.tickUntil(210, [&] { return rig.level->money == 7000.0f; }));
	EXPECT_TRUE(rig.level->areObjectivesMet());
	EXPECT_EQ(rig.level->getHintText(), "%GamePlay_CompleteBlocked2Hint%");
	EXPECT_EQ(rig.posted(EventTypeGEventLevelCompleted), 0);

	ASSERT_TRUE(rig.level->repairBuilding(rig.building("Place1")));
	ASSERT_TRUE(rig.tickUntil(1000, [&] { return rig.posted(EventTypeGEventLevelCompleted) > 0; }));
	EXPECT_EQ(rig.level->getHintText(), "");
	const float endedAt = rig.level->elapsedTime;
	const float money = rig.level->money;
	rig.tickUntil(500, [] { return false; });
	rig.level->recalculateStats();
	EXPECT_EQ(rig.posted(EventTypeGEventLevelCompleted), 1) << "posted once";
	EXPECT_EQ(rig.level->elapsedTime, endedAt) << "the tick stops";
	EXPECT_EQ(rig.level->money, money);
}

// A letter carries the hundreds of income x r % plus $100, sits on a working hotel, pays on a click
// and pays nothing once it has expired or its building stops working.
TEST(GGameLevelEconomy, LettersCarryTheirAmountAndExpire)
{
	struct Case
	{
		const char* place;
		int amount;
	};
	for (const Case& c : {Case{"Place1", 2100}, Case{"Place3", 100}})
	{
		SCOPED_TRACE(c.place);
		EconomyLevel rig("", "", letterTemplate);
		core::array<StringId> none;
		core::array<StringId> place;
		place.push_back(internStringId(c.place));
		SmartPointer<GEventLetterRequest> request(
		    new GEventLetterRequest(none, place, core::vector2df(2, 2), core::vector2df(1000, 1000)));
		EXPECT_TRUE(rig.level->onEvent(request.get()));
		ASSERT_EQ(rig.level->moneyLetters.size(), 1u);
		BaseNode* node = rig.level->moneyLetters[0].get();
		auto* letter = dynamic_cast<GMoneyLetter*>(node->getUserObject());
		ASSERT_NE(letter, nullptr);
		EXPECT_EQ(letter->amount, c.amount);
		EXPECT_EQ(letter->life, 1000);
		EXPECT_EQ(letter->building, rig.building(c.place));
		EXPECT_EQ(node->getParent(), rig.building(c.place));
		auto* text = nodeCast<TextNode>(node->findChild(internStringId("Text"), 0));
		ASSERT_NE(text, nullptr);
		// Without a device the bare figure is shown; a device left by another test has its own dictionary.
		if (!Singleton<IDevice>::peek())
			EXPECT_EQ(text->getText(), irr::core::stringw(c.amount == 2100 ? L"2,100" : L"100"));
		EXPECT_TRUE(rig.level->onEvent(request.get()));
		EXPECT_EQ(rig.level->moneyLetters.size(), 1u) << "one letter per building";

		SmartPointer<CEventNodeClicked> click(new CEventNodeClicked(rig.building(c.place)));
		rig.level->onEvent(click.get());
		EXPECT_EQ(rig.level->money, 5000.0f + c.amount);
		EXPECT_TRUE(rig.level->moneyLetters.empty());
	}

	// Expired after its life, or at once when its building breaks: nothing paid.
	for (bool breaks : {false, true})
	{
		EconomyLevel rig("", "", letterTemplate);
		core::array<StringId> none;
		SmartPointer<GEventLetterRequest> request(
		    new GEventLetterRequest(none, none, core::vector2df(1, 1), core::vector2df(500, 500)));
		rig.level->onEvent(request.get());
		ASSERT_EQ(rig.level->moneyLetters.size(), 1u);
		GBuildingNode* building = dynamic_cast<GMoneyLetter*>(rig.level->moneyLetters[0]->getUserObject())->building;
		if (breaks)
			building->setCondition(GBuildingNode::Broken);
		rig.tickUntil(breaks ? 2 : 48, [] { return false; });
		EXPECT_EQ(rig.level->moneyLetters.size(), breaks ? 0u : 1u);
		rig.tickUntil(4, [] { return false; });
		EXPECT_TRUE(rig.level->moneyLetters.empty());
		EXPECT_LT(building->getLetterCooldown(), 100) << "the cooldown starts again";
		EXPECT_EQ(rig.level->money, 5000.0f);
	}
}

// Without the letters modifier, a template or a candidate, a letter request does nothing.
TEST(GGameLevelEconomy, LetterRequestsWithoutLettersDoNothing)
{
	core::array<StringId> none;
	SmartPointer<GEventLetterRequest> request(
	    new GEventLetterRequest(none, none, core::vector2df(1, 1), core::vector2df(500, 500)));
	{
		EconomyLevel rig;
		EXPECT_TRUE(rig.level->onEvent(request.get()));
		EXPECT_TRUE(rig.level->moneyLetters.empty()) << "no template";
	}
	{
		EconomyLevel rig("", "", letterTemplate);
		rig.building("Place4")->setOwned(false);
		rig.level->recalculateStats();
		EXPECT_TRUE(rig.level->onEvent(request.get()));
		EXPECT_TRUE(rig.level->moneyLetters.empty()) << "letters are off";
	}
}

// Rain shows for the requested time; requests while it rains add up.
TEST(GGameLevelEconomy, WeatherShowsForItsTime)
{
	EconomyLevel rig;
	SmartPointer<GEventWeatherRequest> request(new GEventWeatherRequest(300, 300));
	SmartPointer<BaseNode> rain(new BaseNode());
	rain->setVisible(false);
	rig.level->setWeatherNode(rain.get());
	EXPECT_TRUE(rig.level->onEvent(request.get()));
	EXPECT_TRUE(rain->isVisible());
	rig.tickUntil(20, [] { return false; });
	EXPECT_TRUE(rig.level->onEvent(request.get()));
	EXPECT_EQ(rig.level->weatherLeft, 400);
	rig.tickUntil(38, [] { return false; });
	EXPECT_TRUE(rain->isVisible());
	rig.tickUntil(4, [] { return false; });
	EXPECT_FALSE(rain->isVisible());
}

// Entering the level makes its rain (or, in the snow setting, snow) node once; a request lets it fall.
TEST(GGameLevelEconomy, EnteringMakesTheWeatherNodeOfTheSetting)
{
	for (const char* setting : {"1", "4"})
	{
		SCOPED_TRACE(setting);
		EconomyLevel rig(prop("int", "SettingIndex", setting));
		ASSERT_TRUE(rig.enter());
		auto* weather = nodeCast<GWeatherParticlesNode>(rig.level->getWeatherNode());
		ASSERT_NE(weather, nullptr);
		EXPECT_EQ(weather->getParent(), rig.level.get());
		EXPECT_EQ(std::string(weather->getConfigurationFilename().c_str()),
		          std::string(setting[0] == '4' ? "levels/common/Effects/Snow.xml" : "levels/common/Effects/Rain.xml"));
		EXPECT_FALSE(weather->isEnabled());
		SmartPointer<GEventWeatherRequest> request(new GEventWeatherRequest(100, 100));
		EXPECT_TRUE(rig.level->onEvent(request.get()));
		EXPECT_TRUE(weather->isEnabled());
		rig.tickUntil(10, [] { return false; });
		EXPECT_FALSE(weather->isEnabled());
		rig.enter(false);
		ASSERT_TRUE(rig.enter());
		EXPECT_EQ(rig.level->getWeatherNode(), weather) << "made once";
	}
}

// Returned materials and workers go back to the stock.
TEST(GGameLevelEconomy, ReturnedResourcesRefillTheStock)
{
	EconomyLevel rig(prop("float", "InitMaterialsCount", "10") + prop("int", "InitWorkersCount", "1"));
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(rig.building("Place1"), 12.5f, 3));
	EXPECT_FALSE(rig.level->onEvent(returned.get())) << "the play screen sees it too";
	EXPECT_EQ(rig.level->materials, 22.5f);
	EXPECT_EQ(rig.level->freeWorkers, 4);
}
