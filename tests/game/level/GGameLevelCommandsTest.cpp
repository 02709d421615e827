#include "LevelTestSupport.h"
#include "data/GEventBrokenBuildingRequest.h"
#include "data/GEventDirtyBuildingRequest.h"
#include "data/GEventWorkCompleted.h"

#include <functional>
#include <gtest/gtest.h>

using namespace leveltest;
using namespace irr;

namespace
{
std::string times()
{
	return prop("float", "BuildTime", "500") + prop("float", "RepairTime", "300") + prop("float", "DestroyTime", "300");
}

// A hostel line, a museum that comes run-down, a cafe with a feature, a park that gets dirty and a
// bank whose owner gets 10 % more for a sale.
const std::string commandRecords =
    recordXml("BuildingPlace", 0, 0, prop("float", "SellPrice", "1000")) +
    recordXml("Hostel1", 1, 0,
              times() + prop("float", "Cost", "1000") + prop("float", "BuildMaterialsCost", "20") +
                  prop("int", "BuildWorkersCost", "2") + prop("float", "RepairMaterialsCost", "5") +
                  prop("int", "RepairWorkersCost", "1") + prop("int", "DestroyWorkersCost", "1") +
                  prop("float", "Income", "1000") + prop("float", "SellPrice", "10000") +
                  prop("string", "NextLevelName", "Hostel2")) +
    recordXml("Hostel2", 2, 0,
              times() + prop("float", "Cost", "2000") + prop("float", "BuildMaterialsCost", "30") +
                  prop("int", "BuildWorkersCost", "2") + prop("int", "DestroyWorkersCost", "1") +
                  prop("float", "Income", "2500")) +
    recordXml("Museum1", 1, 3,
              times() + prop("float", "BuildMaterialsCost", "40") + prop("int", "BuildWorkersCost", "3") +
                  prop("float", "SellPrice", "5000")) +
    recordXml("Cafe1", 1, 1, times(),
              "<ActiveFeature DurationTime=\"1000\" RechargeTime=\"1000\" MoneyCost=\"500\">"
              "<Feature Type=\"BoostIncome\"/></ActiveFeature>") +
    recordXml("Park1", 1, 2,
              times() + prop("float", "RepairMaterialsCost", "5") + prop("int", "RepairWorkersCost", "1")) +
    recordXml("Bank1", 1, 1, "",
              "<LevelModifiers><Modifier Type=\"OwnedBuildingPriceBonus\" Value=\"10\"/></LevelModifiers>");

// The stock a case starts with.
struct Stock
{
	float money = 100000.0f;
	float materials = 1000.0f;
	int workers = 10;
};

// An owned hostel (Place1), an owned empty place (Place2), a museum nobody owns (Place3), an owned
// cafe (Place4), park (Place5) and bank (Place6); no paths and no templates, so the work is quick.
struct CommandLevel : LevelRig
{
	explicit CommandLevel(const Stock& stock = Stock(), const std::string& more = "")
	    : LevelRig(
	          levelXml(buildingXml("Place1", 100, 200, "Hostel1") + buildingXml("Place2", 300, 200, "BuildingPlace") +
	                   buildingXml("Place3", 500, 200, "Museum1", false) + buildingXml("Place4", 700, 200, "Cafe1") +
	                   buildingXml("Place5", 100, 400, "Park1") + buildingXml("Place6", 300, 400, "Bank1")))
	{
		records = buildingsConfiguration(commandRecords);
		configuration = levelConfiguration(prop("float", "InitMoney", std::to_string(stock.money)) +
		                                       prop("float", "InitMaterialsCount", std::to_string(stock.materials)) +
		                                       prop("int", "InitWorkersCount", std::to_string(stock.workers)) +
		                                       prop("int", "DayLength", "6000") +
		                                       prop("vector2d", "BuildingsBuyRequestPriceMultiplier", "1;1") + more,
		                                   "<Objectives><Objective Type=\"Money\" Value=\"1000000000\"/></Objectives>");
		attach();
		setUp(records.get(), configuration.get());
		enter();
	}
	// Money, materials and free workers as "money materials workers".
	std::string stock() const
	{
		return std::to_string(static_cast<int>(level->money)) + " " +
		       std::to_string(static_cast<int>(level->materials)) + " " + std::to_string(level->freeWorkers);
	}
	GBuildingType* record(const char* name) const { return records->findBuilding(internStringId(name)).get(); }
	bool idle(const char* place) { return building(place)->getWorkKind() == GBuildingNode::NoWork; }

	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> configuration;
};

std::string historyText(const GGameLevelScene& level)
{
	std::string text;
	for (const GHistoryEntry& entry : level.getHistory())
		text += (text.empty() ? "" : ", ") + std::to_string(entry.action) + " " +
		        getStringById(entry.buildingType).c_str() + "@" + getStringById(entry.placeName).c_str();
	return text;
}
} // namespace

// Building with exactly what it costs leaves nothing; one unit less of anything refuses and changes
// nothing.
TEST(GGameLevelCommands, BuildTakesExactlyItsCost)
{
	struct Case
	{
		const char* name;
		Stock stock;
		CommandRefusal refusal;
	};
	const Case cases[] = {
	    {"exactly enough", {1000, 20, 2}, CommandRefusal::None},
	    {"a dollar short", {999, 20, 2}, CommandRefusal::NoMoney},
	    {"a material short", {1000, 19, 2}, CommandRefusal::NoMaterials},
	    {"a worker short", {1000, 20, 1}, CommandRefusal::NoWorkers},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CommandLevel rig(c.stock);
		GBuildingNode* place = rig.building("Place2");
		const size_t processes = rig.level->getProcesses().size();
		EXPECT_EQ(rig.level->canBuild(rig.record("Hostel1")), c.refusal == CommandRefusal::None);
		EXPECT_EQ(rig.level->checkBuildOnPlace(place, rig.record("Hostel1")), c.refusal);
		const std::string before = rig.stock();
		EXPECT_EQ(rig.level->buildOnPlace(place, rig.record("Hostel1")), c.refusal == CommandRefusal::None);
		if (c.refusal != CommandRefusal::None)
		{
			EXPECT_EQ(rig.stock(), before);
			EXPECT_EQ(place->getRecord()->getName(), internStringId("BuildingPlace"));
			EXPECT_EQ(rig.level->getProcesses().size(), processes);
			continue;
		}
		EXPECT_EQ(rig.stock(), "0 0 0");
		EXPECT_EQ(place->getWorkKind(), GBuildingNode::BuildWork);
		EXPECT_EQ(place->getRecord()->getName(), internStringId("Hostel1"));
		EXPECT_EQ(place->getPreviousRecord()->getName(), internStringId("BuildingPlace"));
		ASSERT_TRUE(rig.tickUntil(500, [&] { return rig.idle("Place2"); }));
		EXPECT_EQ(rig.stock(), "0 0 2") << "the workers come back";
		EXPECT_EQ(historyText(*rig.level), "0 Hostel1@Place2");
		EXPECT_EQ(rig.level->income, 2000.0f);
	}
}

// Every command checks the stock before it takes anything: one short of its cost refuses, and the
// stock never goes below zero.
TEST(GGameLevelCommands, EveryCommandChecksTheStock)
{
	struct Case
	{
		const char* name;
		Stock shortStock;
		Stock exactStock;
		CommandRefusal refusal;
		std::function<void(CommandLevel&)> prepare;
		std::function<bool(CommandLevel&)> command;
	};
	const auto breakHostel = [](CommandLevel& rig) { rig.building("Place1")->setCondition(GBuildingNode::Broken); };
	const auto dirtyPark = [](CommandLevel& rig) { rig.building("Place5")->setCondition(GBuildingNode::Dirty); };
	const auto runDownMuseum = [](CommandLevel& rig)
	{
		rig.building("Place3")->setOwned(true);
		rig.building("Place3")->setCondition(GBuildingNode::RunDown);
	};
	const Case cases[] = {
	    {"demolish",
	     {0, 0, 0},
	     {0, 0, 1},
	     CommandRefusal::NoWorkers,
	     [](CommandLevel&) {},
	     [](CommandLevel& rig) { return rig.level->destroyBuilding(rig.building("Place1")); }},
	    {"repair, materials",
	     {0, 4, 1},
	     {0, 5, 1},
	     CommandRefusal::NoMaterials,
	     breakHostel,
	     [](CommandLevel& rig) { return rig.level->repairBuilding(rig.building("Place1")); }},
	    {"repair, workers",
	     {0, 5, 0},
	     {0, 5, 1},
	     CommandRefusal::NoWorkers,
	     breakHostel,
	     [](CommandLevel& rig) { return rig.level->repairBuilding(rig.building("Place1")); }},
	    {"clean",
	     {0, 4, 1},
	     {0, 5, 1},
	     CommandRefusal::NoMaterials,
	     dirtyPark,
	     [](CommandLevel& rig) { return rig.level->cleanBuilding(rig.building("Place5")); }},
	    {"restore, materials",
	     {0, 39, 3},
	     {0, 40, 3},
	     CommandRefusal::NoMaterials,
	     runDownMuseum,
	     [](CommandLevel& rig) { return rig.level->restoreBuilding(rig.building("Place3")); }},
	    {"restore, workers",
	     {0, 40, 2},
	     {0, 40, 3},
	     CommandRefusal::NoWorkers,
	     runDownMuseum,
	     [](CommandLevel& rig) { return rig.level->restoreBuilding(rig.building("Place3")); }},
	    {"feature",
	     {499, 0, 0},
	     {500, 0, 0},
	     CommandRefusal::NoMoney,
	     [](CommandLevel&) {},
	     [](CommandLevel& rig) { return rig.level->activateFeature(rig.building("Place4"), 0); }},
	    {"upgrade",
	     {1999, 30, 2},
	     {2000, 30, 2},
	     CommandRefusal::NoMoney,
	     [](CommandLevel&) {},
	     [](CommandLevel& rig) { return rig.level->upgradeBuilding(rig.building("Place1")); }},
	    {"buy",
	     {4999, 0, 0},
	     {5000, 0, 0},
	     CommandRefusal::NoMoney,
	     [](CommandLevel&) {},
	     [](CommandLevel& rig) { return rig.level->buyBuilding(rig.building("Place3")); }},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		{
			CommandLevel rig(c.shortStock);
			c.prepare(rig);
			const std::string before = rig.stock();
			EXPECT_FALSE(c.command(rig));
			EXPECT_EQ(rig.stock(), before);
		}
		CommandLevel rig(c.exactStock);
		c.prepare(rig);
		EXPECT_TRUE(c.command(rig));
		EXPECT_EQ(rig.stock(), "0 0 0");
		rig.tickUntil(600, [] { return false; });
		EXPECT_GE(rig.level->money, 0.0f);
		EXPECT_GE(rig.level->materials, 0.0f);
		EXPECT_GE(rig.level->freeWorkers, 0);
	}
}

// While a building's work runs, every command on it is refused and takes nothing.
TEST(GGameLevelCommands, ACommandOnABuildingAtWorkIsRefused)
{
	CommandLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	hostel->setCondition(GBuildingNode::Broken);
	ASSERT_TRUE(rig.level->repairBuilding(hostel));
	GBuildingNode* place = rig.building("Place2");
	ASSERT_TRUE(rig.level->buildOnPlace(place, rig.record("Hostel1")));
	GBuildingNode* cafe = rig.building("Place4");
	ASSERT_TRUE(rig.level->destroyBuilding(cafe));
	const std::string before = rig.stock();

	EXPECT_EQ(rig.level->checkUpgrade(hostel), CommandRefusal::WorkRunning);
	EXPECT_FALSE(rig.level->upgradeBuilding(hostel));
	EXPECT_FALSE(rig.level->destroyBuilding(hostel));
	EXPECT_FALSE(rig.level->repairBuilding(hostel));
	EXPECT_FALSE(rig.level->buildOnPlace(place, rig.record("Hostel1")));
	EXPECT_FALSE(rig.level->destroyBuilding(place));
	EXPECT_FALSE(rig.level->buildOnPlace(cafe, rig.record("Hostel1"))) << "the demolition has not ended";
	EXPECT_FALSE(rig.level->activateFeature(cafe, 0));
	EXPECT_EQ(rig.stock(), before);

	// Once the work is done the commands are open again.
	ASSERT_TRUE(rig.tickUntil(800, [&] { return rig.idle("Place1") && rig.idle("Place2") && rig.idle("Place4"); }));
	EXPECT_TRUE(rig.level->buildOnPlace(cafe, rig.record("Hostel1")));
	EXPECT_EQ(historyText(*rig.level), "4 Hostel1@Place1, 1 Cafe1@Place4, 0 Hostel1@Place2");
}

// Accepting a buyer pays the offer the player was shown, the owner's bonus included.
TEST(GGameLevelCommands, AcceptingAnOfferPaysThePriceShown)
{
	CommandLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	EXPECT_EQ(rig.level->checkAcceptBuyOffer(hostel), CommandRefusal::NotForSale);
	hostel->setForSale(true);
	EXPECT_FALSE(rig.level->acceptBuyOffer(hostel)) << "no buyer yet";
	hostel->setBuyRequest(true);
	const int shown = hostel->getOfferPrice();
	EXPECT_EQ(shown, 11000) << "10,000 and the owner's 10 %";
	ASSERT_TRUE(rig.level->acceptBuyOffer(hostel));
	EXPECT_EQ(rig.level->money, 100000.0f + shown);
	EXPECT_FALSE(hostel->isOwned());
	EXPECT_FALSE(hostel->isForSale());
	EXPECT_EQ(rig.level->income, 0.0f);
	EXPECT_EQ(historyText(*rig.level), "3 Hostel1@Place1");
	EXPECT_FALSE(rig.level->acceptBuyOffer(hostel));
}

// An upgrade raises the level through the build process; the top of a line cannot be upgraded; a
// demolition leaves the empty place at once and records the demolished level when it ends.
TEST(GGameLevelCommands, UpgradeAndDemolish)
{
	CommandLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	ASSERT_TRUE(rig.level->upgradeBuilding(hostel));
	EXPECT_EQ(rig.stock(), "98000 970 8");
	EXPECT_EQ(hostel->getPreviousRecord()->getName(), internStringId("Hostel1"));
	ASSERT_TRUE(rig.tickUntil(500, [&] { return rig.idle("Place1"); }));
	EXPECT_EQ(hostel->getRecord()->getName(), internStringId("Hostel2"));
	EXPECT_EQ(rig.level->income, 2500.0f);
	EXPECT_EQ(rig.level->checkUpgrade(hostel), CommandRefusal::NoRecord) << "the top of its line";

	hostel->setForSale(true);
	ASSERT_TRUE(rig.level->destroyBuilding(hostel));
	EXPECT_FALSE(hostel->isForSale()) << "the sale ends first";
	EXPECT_EQ(hostel->getRecord()->getName(), internStringId("BuildingPlace"));
	EXPECT_EQ(rig.level->countBuildingsOfType(internStringId("Hostel2")), 1) << "until the demolition ends";
	ASSERT_TRUE(rig.tickUntil(500, [&] { return rig.idle("Place1"); }));
	EXPECT_EQ(rig.level->countBuildingsOfType(internStringId("Hostel2")), 0);
	EXPECT_EQ(rig.stock(), "98000 970 10");
	EXPECT_EQ(historyText(*rig.level), "0 Hostel2@Place1, 1 Hostel2@Place1");
	EXPECT_EQ(rig.level->checkDestroy(hostel), CommandRefusal::EmptyPlace);
}

// A bought museum comes run-down; restoring it costs its build materials and workers and it works
// once the job is done.
TEST(GGameLevelCommands, BoughtMuseumIsRestoredBeforeItWorks)
{
	CommandLevel rig;
	GBuildingNode* museum = rig.building("Place3");
	EXPECT_FALSE(rig.level->canBuy(museum)) << "not for sale";
	museum->setForSale(true);
	EXPECT_TRUE(rig.level->canBuy(museum));
	EXPECT_EQ(rig.level->checkRestore(museum), CommandRefusal::NotOwned);
	ASSERT_TRUE(rig.level->buyBuilding(museum));
	EXPECT_EQ(rig.stock(), "95000 1000 10");
	EXPECT_EQ(museum->getCondition(), GBuildingNode::RunDown);
	EXPECT_FALSE(museum->isWorking());
	EXPECT_EQ(rig.level->checkBuy(museum), CommandRefusal::AlreadyOwned);
	ASSERT_TRUE(rig.level->restoreBuilding(museum));
	EXPECT_EQ(rig.stock(), "95000 960 7");
	ASSERT_TRUE(rig.tickUntil(600, [&] { return rig.idle("Place3"); }));
	EXPECT_TRUE(museum->isWorking());
	EXPECT_EQ(rig.level->freeWorkers, 10);
	EXPECT_EQ(historyText(*rig.level), "2 Museum1@Place3, 4 Museum1@Place3");
}

// A feature is paid when it starts and refused while it is active.
TEST(GGameLevelCommands, FeatureIsPaidOnceAndNotStartedTwice)
{
	CommandLevel rig;
	GBuildingNode* cafe = rig.building("Place4");
	EXPECT_EQ(rig.level->checkFeature(cafe, 1), CommandRefusal::FeatureNotReady) << "no second feature";
	ASSERT_TRUE(rig.level->activateFeature(cafe, 0));
	EXPECT_EQ(rig.level->money, 99500.0f);
	EXPECT_EQ(cafe->getFeatureState(0), GFeatureState::Active);
	EXPECT_FALSE(rig.level->activateFeature(cafe, 0));
	EXPECT_EQ(rig.level->money, 99500.0f);
}

// Broken requests need buildings that may break; dirty requests pick decorations.
TEST(GGameLevelCommands, BrokenAndDirtyRequests)
{
	core::array<StringId> none;
	{
		CommandLevel rig(Stock(), "");
		rig.tickUntil(1100, [] { return false; });
		SmartPointer<GEventBrokenBuildingRequest> broken(new GEventBrokenBuildingRequest(none, none));
		EXPECT_TRUE(rig.level->onEvent(broken.get()));
		EXPECT_EQ(rig.building("Place1")->getCondition(), GBuildingNode::Broken);
		EXPECT_EQ(rig.level->income, 0.0f);
		SmartPointer<GEventDirtyBuildingRequest> dirty(new GEventDirtyBuildingRequest(none, none));
		EXPECT_TRUE(rig.level->onEvent(dirty.get()));
		EXPECT_EQ(rig.building("Place5")->getCondition(), GBuildingNode::Dirty);
	}
	{
		// Just built: not within 10 s of the work.
		CommandLevel rig;
		rig.building("Place1")->setBreakdownCooldown(0);
		SmartPointer<GEventBrokenBuildingRequest> broken(new GEventBrokenBuildingRequest(none, none));
		EXPECT_TRUE(rig.level->onEvent(broken.get()));
		EXPECT_EQ(rig.building("Place1")->getCondition(), GBuildingNode::Normal);
	}
}

// A service request is answered by an idle building providing the service: it serves for its serve
// time, and a request for service 5 also sends a bus to the requester. Requests nobody can answer
// any more are dropped when the provider goes.
TEST(GGameLevelCommands, ServiceRequestsAreServedOrDropped)
{
	const std::string records =
	    commandRecords + recordXml("Laundry1", 1, 1,
	                               times() + prop("int", "ProvidedService", "5") + prop("float", "ServeTime", "300") +
	                                   prop("int", "DestroyWorkersCost", "1"));
	LevelRig rig(levelXml(buildingXml("Place1", 100, 200, "Hostel1") + buildingXml("Place2", 300, 200, "Hostel1") +
	                      buildingXml("Place3", 500, 200, "Laundry1")));
	SmartPointer<GBuildingsConfiguration> buildingRecords = buildingsConfiguration(records);
	SmartPointer<GLevelConfiguration> configuration =
	    levelConfiguration(prop("float", "InitMoney", "1000") + prop("float", "InitMaterialsCount", "100") +
	                           prop("int", "InitWorkersCount", "5"),
	                       "<Objectives><Objective Type=\"Money\" Value=\"1000000000\"/></Objectives>");
	rig.attach();
	rig.setUp(buildingRecords.get(), configuration.get());
	rig.enter();
	GBuildingNode* hostel = rig.building("Place1");
	GBuildingNode* laundry = rig.building("Place3");
	EXPECT_EQ(rig.level->getServices(), std::vector<int>{5});

	hostel->setCondition(4);
	EXPECT_EQ(rig.level->checkServeRequest(hostel), CommandRefusal::NoServer) << "nobody provides service 4";
	hostel->setCondition(5);
	ASSERT_TRUE(rig.level->serveRequest(hostel));
	EXPECT_EQ(hostel->getCondition(), GBuildingNode::Normal);
	EXPECT_EQ(laundry->getWorkKind(), GBuildingNode::ServingWork);
	EXPECT_EQ(hostel->getWorkKind(), GBuildingNode::WorkerJob) << "the service bus";
	rig.building("Place2")->setCondition(5);
	EXPECT_EQ(rig.level->checkServeRequest(rig.building("Place2")), CommandRefusal::NoServer) << "the laundry is busy";
	ASSERT_TRUE(rig.tickUntil(500, [&] { return laundry->getWorkKind() == 0 && hostel->getWorkKind() == 0; }));

	ASSERT_TRUE(rig.level->destroyBuilding(laundry));
	EXPECT_EQ(rig.building("Place2")->getCondition(), GBuildingNode::Normal) << "nobody can answer it any more";
}

// The end of a feature is recorded by its index.
TEST(GGameLevelCommands, FeatureEndsAreRecorded)
{
	CommandLevel rig;
	ASSERT_TRUE(rig.level->activateFeature(rig.building("Place4"), 0));
	ASSERT_TRUE(rig.tickUntil(2000, [&] { return !rig.level->getHistory().empty(); }));
	EXPECT_EQ(historyText(*rig.level), "5 Cafe1@Place4");
}

// Putting a building up for sale and calling off its work go through the level's checks: a refused
// command leaves the stock and the building as they were, an accepted one acts.
TEST(GGameLevelCommands, SaleAndAbortAreCheckedFirst)
{
	struct Case
	{
		const char* name;
		const char* place; // null: no building at all
		std::function<void(CommandLevel&)> prepare;
		bool abort; // else the sale is toggled
		CommandRefusal refusal;
		const char* after; // the state an accepted command leaves
		std::string more = "";
	};
	const auto none = [](CommandLevel&) {};
	const auto upgradeHostel = [](CommandLevel& rig)
	{ ASSERT_TRUE(rig.level->upgradeBuilding(rig.building("Place1"))); };
	const auto repairHostel = [](CommandLevel& rig)
	{
		rig.building("Place1")->setCondition(GBuildingNode::Broken);
		ASSERT_TRUE(rig.level->repairBuilding(rig.building("Place1")));
	};
	const Case cases[] = {
	    {"sell the hostel", "Place1", none, false, CommandRefusal::None,
	     "100000 1000 10, Hostel1 w0 c0 sale, income 0"},
	    {"keep it after all", "Place1",
	     [](CommandLevel& rig) { ASSERT_TRUE(rig.level->toggleSale(rig.building("Place1"))); }, false,
	     CommandRefusal::None, "100000 1000 10, Hostel1 w0 c0, income 1000"},
	    {"sell what the city owns", "Place3", none, false, CommandRefusal::NotOwned, nullptr},
	    {"sell a broken hostel", "Place1",
	     [](CommandLevel& rig) { rig.building("Place1")->setCondition(GBuildingNode::Broken); }, false,
	     CommandRefusal::WrongCondition, nullptr},
	    {"sell while it is upgraded", "Place1", upgradeHostel, false, CommandRefusal::WorkRunning, nullptr},
	    {"sell on a level without sales", "Place1", none, false, CommandRefusal::SaleClosed, nullptr,
	     prop("bool", "IsSellOn", "false")},
	    {"sell nothing", nullptr, none, false, CommandRefusal::NoBuilding, nullptr},
	    {"call off an upgrade", "Place1", upgradeHostel, true, CommandRefusal::None,
	     "98000 1000 10, Hostel1 w0 c0, income 1000"},
	    {"call off a repair", "Place1", repairHostel, true, CommandRefusal::None,
	     "100000 1000 10, Hostel1 w0 c1, income 0"},
	    {"call off nothing", "Place1", none, true, CommandRefusal::NothingToStop, nullptr},
	    {"call off a sale", "Place1",
	     [](CommandLevel& rig) { ASSERT_TRUE(rig.level->toggleSale(rig.building("Place1"))); }, true,
	     CommandRefusal::NothingToStop, nullptr},
	    {"call off nobody's work", nullptr, none, true, CommandRefusal::NoBuilding, nullptr},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CommandLevel rig(Stock(), c.more);
		c.prepare(rig);
		GBuildingNode* building = c.place ? rig.building(c.place) : nullptr;
		// The stock, the building's record, work, condition and sale, and the level's income.
		const auto state = [&]
		{
			std::string text = rig.stock();
			if (building)
				text += std::string(", ") + getStringById(building->getRecord()->getName()).c_str() + " w" +
				        std::to_string(building->getWorkKind()) + " c" + std::to_string(building->getCondition()) +
				        (building->isForSale() ? " sale" : "");
			return text + ", income " + std::to_string(static_cast<int>(rig.level->income));
		};
		const std::string before = state();
		EXPECT_EQ(c.abort ? rig.level->checkAbort(building) : rig.level->checkSale(building), c.refusal);
		const bool done = c.abort ? rig.level->abortWork(building) : rig.level->toggleSale(building);
		EXPECT_EQ(done, c.refusal == CommandRefusal::None);
		EXPECT_EQ(state(), c.after ? std::string(c.after) : before);
	}
}
