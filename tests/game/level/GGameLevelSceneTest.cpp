#include "LevelTestSupport.h"
#include "core/CPropertyCollection.h"
#include "data/GEventBuildingExistsQuery.h"
#include "data/GEventPauseRequest.h"
#include "data/GEventSelectionChanged.h"
#include "data/GameEventIds.h"
#include "game/GameTestSupport.h"
#include "level/GCloudsProcess.h"
#include "level/GLevelProcess.h"
#include "level/GMoneyLetter.h"
#include "support/LogCapture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace leveltest;

namespace
{
const std::string records =
    recordXml("BuildingPlace", 0, 0) +
    recordXml("Hostel1", 1, 0, prop("float", "Income", "1000") + prop("int", "GuestsCount", "10")) +
    recordXml("Fountain1", 1, 1, prop("float", "Income", "50"));

std::string rectText(const LevelRect& r)
{
	return std::to_string(r.x1) + " " + std::to_string(r.y1) + " " + std::to_string(r.x2) + " " + std::to_string(r.y2);
}

// The level of the tests: an owned hostel, an owned fountain and a place nobody owns.
struct SmallLevel : LevelRig
{
	explicit SmallLevel(const std::string& configurationXml = prop("float", "InitMoney", "5000"),
	                    const std::string& more = "")
	    : LevelRig(levelXml(buildingXml("Place1", 100, 200, "Hostel1") + buildingXml("Place2", 300, 200, "Fountain1") +
	                        buildingXml("Place3", 500, 200, "BuildingPlace", false)))
	{
		configuration = levelConfiguration(configurationXml, more);
		buildingRecords = buildingsConfiguration(records);
	}
	SmartPointer<GLevelConfiguration> configuration;
	SmartPointer<GBuildingsConfiguration> buildingRecords;
};

void click(GGameLevelScene& level, BaseNode* node)
{
	SmartPointer<CEventNodeClicked> clicked(new CEventNodeClicked(node));
	level.onEvent(clicked.get());
}
} // namespace

TEST(GGameLevelScene, LevelRectCoversTheBuildingsAndTheScreenCentre)
{
	struct Case
	{
		const char* name;
		std::string scene;
		const char* rect;
	};
	const Case cases[] = {
	    {"one building", levelXml(buildingXml("P1", 100, 200, "Hostel1")), "100 170 512 419"},
	    {"two buildings", levelXml(buildingXml("P1", 0, 0, "Hostel1") + buildingXml("P2", 900, 600, "Hostel1")),
	     "0 -30 1035 690"},
	    {"no buildings node", levelXml("", false), "0 0 1024 768"},
	};
	for (const Case& c : cases)
	{
		LevelRig rig(c.scene);
		ASSERT_TRUE(rig.level) << c.name;
		EXPECT_EQ(rectText(rig.level->getLevelRect()), c.rect) << c.name;
	}
}

TEST(GGameLevelScene, LoadFindsTheBuildingsAndSetUpGivesEachItsRecord)
{
	SmallLevel rig(prop("float", "InitMoney", "5000") + prop("float", "InitRating", "12") +
	               prop("float", "InitMaterialsCount", "300") + prop("int", "InitWorkersCount", "3"));
	ASSERT_EQ(rig.level->getBuildings().size(), 3u);
	EXPECT_TRUE(rig.level->getCargosNode());
	EXPECT_FALSE(rig.level->findChild(internStringId("Pedestrians"), -2)->isVisible());
	EXPECT_EQ(rig.level->money, 0.0f) << "no economy before the set-up";
	EXPECT_EQ(rig.level->materialOrderLeft, -1.0f);

	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	EXPECT_EQ(rig.level->money, 5000.0f);
	EXPECT_EQ(rig.level->rating, 12.0f);
	EXPECT_EQ(rig.level->materials, 300.0f);
	EXPECT_EQ(rig.level->freeWorkers, 3);
	EXPECT_EQ(rig.level->totalWorkers, 3);
	EXPECT_EQ(rig.building("Place1")->getRecord()->getName(), internStringId("Hostel1"));
	EXPECT_EQ(rig.building("Place3")->getRecord()->getLevel(), 0);
	EXPECT_EQ(rig.building("Place1")->getLevelScene(), rig.level.get());
	// Only the owned, working hostel and fountain earn.
	EXPECT_EQ(rig.level->income, 1050.0f);
	EXPECT_EQ(rig.level->guests, 10);
	EXPECT_EQ(rig.level->countBuildingsOfType(internStringId("Hostel1")), 1);
	EXPECT_EQ(rig.level->countBuildingsOfType(internStringId("BuildingPlace")), 0);
}

// A click on a building selects it; a click on the ground clears the selection; both are posted.
TEST(GGameLevelScene, ClicksSelectBuildingsAndGroundClearsTheSelection)
{
	SmallLevel rig;
	rig.attach();
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	GBuildingNode* hostel = rig.building("Place1");

	click(*rig.level, rig.level.get());
	rig.drain();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventSelectionChanged), 1) << "none as both selections";

	click(*rig.level, hostel);
	rig.drain();
	EXPECT_EQ(rig.level->getSelectedBuilding(), hostel);
	EXPECT_EQ(rig.services.log->count(EventTypeGEventSelectionChanged), 2);

	click(*rig.level, rig.level.get());
	rig.drain();
	EXPECT_EQ(rig.level->getSelectedBuilding(), nullptr);
	EXPECT_FALSE(hostel->isFocused());
	EXPECT_EQ(rig.services.log->count(EventTypeGEventSelectionChanged), 3);
}

// A click on a building with a money letter collects the letter; the next click selects it.
TEST(GGameLevelScene, ClickOnALetterCollectsItInsteadOfSelecting)
{
	SmallLevel rig;
	rig.attach();
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	GBuildingNode* hostel = rig.building("Place1");
	hostel->setLetterCooldown(7000);
	hostel->setWantFocus(false);
	auto* letterNode = new BaseNode(ContentRef(), hostel);
	letterNode->setName("MoneyLetter");
	letterNode->setUserObject(SmartPointer<GMoneyLetter>(new GMoneyLetter(2100, 8000, hostel)).get());
	rig.level->moneyLetters.push_back(shareRef(letterNode));
	letterNode->drop();

	click(*rig.level, hostel);
	EXPECT_EQ(rig.level->money, 7100.0f);
	EXPECT_TRUE(rig.level->moneyLetters.empty());
	EXPECT_EQ(hostel->getLetterCooldown(), 0);
	EXPECT_TRUE(hostel->wantsFocus());
	EXPECT_EQ(rig.level->getSelectedBuilding(), nullptr);

	// The letter goes once its disappearing has played; other state ends are the control's.
	SmartPointer<CEventNodeChildrenStateFinished> other(
	    new CEventNodeChildrenStateFinished(letterNode, internStringId("Appear")));
	EXPECT_FALSE(hostel->onChildrenStateFinished(other.get()));
	EXPECT_EQ(letterNode->getParent(), hostel);
	SmartPointer<CEventNodeChildrenStateFinished> gone(
	    new CEventNodeChildrenStateFinished(letterNode, internStringId("DisappearHit")));
	EXPECT_TRUE(hostel->onChildrenStateFinished(gone.get()));
	EXPECT_EQ(hostel->findChild(internStringId("MoneyLetter"), -2), nullptr);

	click(*rig.level, hostel);
	EXPECT_EQ(rig.level->getSelectedBuilding(), hostel);
	EXPECT_EQ(rig.level->money, 7100.0f);
}

TEST(GGameLevelScene, PauseRequestSetsTheFlagAndTheScheduler)
{
	SmallLevel rig;
	rig.attach();
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	rig.level->setPaused(true);
	SmartPointer<GEventPauseRequest> resume(new GEventPauseRequest(false));
	EXPECT_TRUE(rig.level->onEvent(resume.get()));
	EXPECT_FALSE(rig.level->isPaused());
	EXPECT_TRUE(rig.services.scheduler->isEnabled());

	SmartPointer<GEventPauseRequest> pause(new GEventPauseRequest(true));
	EXPECT_TRUE(rig.level->onEvent(pause.get()));
	EXPECT_TRUE(rig.level->isPaused());
	EXPECT_FALSE(rig.services.scheduler->isEnabled());
}

TEST(GGameLevelScene, BuildingQueryAnswersOnlyForOwnedBuildingsOfTheTypes)
{
	SmallLevel rig;
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	struct Case
	{
		const char* name;
		std::vector<const char*> types;
		bool exists;
	};
	const Case cases[] = {
	    {"no types", {}, false},
	    {"owned hostel", {"Hotel9", "Hostel1"}, true},
	    {"only a place nobody owns", {"BuildingPlace"}, false},
	    {"unknown", {"Hotel9"}, false},
	};
	for (const Case& c : cases)
	{
		irr::core::array<StringId> types;
		for (const char* t : c.types)
			types.push_back(internStringId(t));
		SmartPointer<GEventBuildingExistsQuery> query(new GEventBuildingExistsQuery(types));
		EXPECT_TRUE(rig.level->onEvent(query.get())) << c.name;
		EXPECT_EQ(query->exists, c.exists) << c.name;
	}
}

// A level whose objective list is empty (none written, or all dropped as damaged) is never won: it must not
// hand out a completion before any play.
TEST(GGameLevelScene, ALevelWithoutObjectivesIsNeverCompleted)
{
	SmallLevel rig(prop("float", "InitMoney", "5000"), "<Objectives></Objectives>");
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	EXPECT_FALSE(rig.level->areObjectivesMet());
	rig.attach();
	rig.enter();
	rig.drain();
	rig.level->recalculateStats();
	rig.drain();
	EXPECT_FALSE(rig.level->areObjectivesMet());
	EXPECT_EQ(rig.services.log->count(EventTypeGEventLevelCompleted), 0);
}

// Objectives met while the level had no parent (at its set-up) still end the level once it is shown,
// and only once.
TEST(GGameLevelScene, ObjectivesMetBeforeTheSceneIsShownCompleteItOnEntry)
{
	SmallLevel rig(prop("float", "InitMoney", "5000"),
	               "<Objectives><Objective Type=\"Money\" Value=\"1000\"/></Objectives>");
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	EXPECT_TRUE(rig.level->areObjectivesMet());

	rig.attach();
	EXPECT_TRUE(rig.enter());
	rig.drain();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventLevelCompleted), 1);

	rig.level->recalculateStats();
	rig.enter();
	rig.drain();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventLevelCompleted), 1);
}

// A one-time random event comes once, even when the level layer shows the level a second time: of
// two places nobody owns only one is put up for sale.
TEST(GGameLevelScene, EnteringAgainStartsNoSecondSetOfRandomEvents)
{
	LevelRig rig(levelXml(buildingXml("Place1", 100, 200, "Hostel1", false) +
	                      buildingXml("Place2", 300, 200, "Hostel1", false)));
	SmartPointer<GLevelConfiguration> configuration = levelConfiguration(
	    prop("float", "InitMoney", "5000"),
	    "<RandomEvents><Event Type=\"OneTimeSellBuildingRequest\" TimeRange=\"1000;1000\"/></RandomEvents>");
	SmartPointer<GBuildingsConfiguration> buildingRecords = buildingsConfiguration(records);
	rig.attach();
	rig.setUp(buildingRecords.get(), configuration.get());
	ASSERT_TRUE(rig.enter());
	const auto forSale = [&]
	{
		int n = 0;
		for (const SmartPointer<GBuildingNode>& building : rig.level->getBuildings())
			n += building->isForSale() ? 1 : 0;
		return n;
	};
	ASSERT_TRUE(rig.tickUntil(300, [&] { return forSale() == 1; }));

	EXPECT_FALSE(rig.enter(false));
	EXPECT_EQ(rig.level->getScheduler(), nullptr) << "covered: the tick is off its scheduler";
	ASSERT_TRUE(rig.enter());
	EXPECT_EQ(rig.level->getScheduler(), rig.services.scheduler.get());
	rig.tickUntil(300, [] { return false; });
	EXPECT_EQ(forSale(), 1);
}

namespace
{
// A process that ends after a number of updates and counts its updates.
class CountingProcess : public GLevelProcess
{
public:
	explicit CountingProcess(int life, int* destroyed = nullptr) : life(life), destroyed(destroyed) {}
	~CountingProcess() override
	{
		if (destroyed)
			++*destroyed;
	}
	float getProgress() const override { return 0.5f; }
	bool update(irr::u32) override { return ++updates < life; }
	void cancel() override { cancelled = true; }
	int life;
	int updates = 0;
	bool cancelled = false;
	int* destroyed;
};
} // namespace

// A process ending in the middle of the array is replaced by the last, which is updated in the same pass.
TEST(GGameLevelScene, FinishedProcessesLeaveAndEveryOtherIsUpdatedOncePerPass)
{
	SmallLevel rig;
	SmartPointer<CountingProcess> a(new CountingProcess(5)), b(new CountingProcess(1)), c(new CountingProcess(5));
	for (CountingProcess* p : {a.get(), b.get(), c.get()})
		rig.level->addProcess(p);
	rig.level->updateProcesses(20);
	EXPECT_EQ(a->updates, 1);
	EXPECT_EQ(b->updates, 1);
	EXPECT_EQ(c->updates, 1);
	ASSERT_EQ(rig.level->getProcesses().size(), 2u);
	EXPECT_EQ(rig.level->getProcesses()[1].get(), c.get());
}

// The building holds its process: a process the level has dropped is still there to be asked until the
// building's work ends, and goes then.
TEST(GBuildingNodeWork, KeepsItsProcessUntilTheWorkEnds)
{
	SmallLevel rig;
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	GBuildingNode* hostel = rig.building("Place1");
	EXPECT_EQ(hostel->getWorkProgress(), 1.0f);
	int destroyed = 0;
	{
		auto* process = new CountingProcess(1, &destroyed);
		rig.level->addProcess(process);
		hostel->setWork(GBuildingNode::WorkerJob, process);
		process->drop();
	}
	rig.level->updateProcesses(20);
	EXPECT_TRUE(rig.level->getProcesses().empty());
	EXPECT_EQ(destroyed, 0);
	EXPECT_EQ(hostel->getWorkProgress(), 0.5f);
	hostel->cancelWork();
	EXPECT_TRUE(static_cast<CountingProcess*>(hostel->getProcess())->cancelled);

	hostel->setWork(GBuildingNode::NoWork, nullptr);
	EXPECT_EQ(destroyed, 1);
	EXPECT_EQ(hostel->getWorkProgress(), 1.0f);
	hostel->cancelWork();

	hostel->setWork(GBuildingNode::WorkerJob, nullptr);
	EXPECT_EQ(hostel->getWorkProgress(), 0.0f) << "work without a process";
}

// A change the play screen must see climbs from the focused building through the buildings node and
// the level to the level's parent.
TEST(GGameLevelScene, FocusedBuildingReportsItsChangesToTheLevelsParent)
{
	SmallLevel rig;
	rig.attach();
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	GBuildingNode* hostel = rig.building("Place1");
	hostel->notifyChanged();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventSelectionChanged), 0) << "not focused: nothing to refresh";
	click(*rig.level, hostel);
	rig.drain();
	const int selections = rig.services.log->count(EventTypeGEventSelectionChanged);
	hostel->notifyChanged();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventSelectionChanged), selections + 1);
}

// Paused, the level holds its buildings' timers too.
TEST(GGameLevelScene, PausedLevelHoldsTheBuildingTimers)
{
	SmallLevel rig(prop("float", "InitMoney", "5000"),
	               "<Objectives><Objective Type=\"Money\" Value=\"1000000\"/></Objectives>");
	rig.attach();
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	ASSERT_TRUE(rig.enter());
	GBuildingNode* hostel = rig.building("Place1");
	const int cooldown = hostel->getLetterCooldown();
	rig.level->setPaused(true);
	rig.tickUntil(100, [] { return false; });
	EXPECT_EQ(hostel->getLetterCooldown(), cooldown);
	EXPECT_EQ(rig.level->elapsedTime, 0.0f);
	rig.level->setPaused(false);
	rig.tickUntil(100, [] { return false; });
	EXPECT_EQ(hostel->getLetterCooldown(), cooldown + 1000);
	EXPECT_EQ(rig.level->elapsedTime, 1000.0f);

	// A completed level's clock stands still as well.
	rig.level->money = 2000000.0f;
	rig.level->recalculateStats();
	rig.tickUntil(100, [] { return false; });
	EXPECT_EQ(rig.level->elapsedTime, 1000.0f);
}

TEST(GGameLevelScene, NodeNotificationsAreLogged)
{
	SmallLevel rig;
	GBuildingNode* hostel = rig.building("Place1");
	LogCapture log;
	SmartPointer<CEventNodeHovered> hovered(new CEventNodeHovered(nullptr, hostel));
	SmartPointer<CEventNodeFocused> focused(new CEventNodeFocused(nullptr, hostel));
	EXPECT_FALSE(rig.level->onEvent(hovered.get()));
	EXPECT_FALSE(rig.level->onEvent(focused.get()));
	click(*rig.level, rig.level.get());
	EXPECT_TRUE(log.contains("Node was hovered"));
	EXPECT_TRUE(log.contains("Node was focused"));
	EXPECT_TRUE(log.contains("Node was pressed"));
	EXPECT_EQ(log.problemCount(), 0u);
}

// A copy of a building takes its ownership, luckiness and record; the properties go through the file.
TEST(GBuildingNodeState, CopyAndPropertiesKeepOwnershipLuckinessAndRecord)
{
	SmallLevel rig;
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	GBuildingNode* hostel = rig.building("Place1");
	hostel->setLuckiness(-1);
	SmartPointer<BaseNode> copy(hostel->clone());
	auto* building = nodeCast<GBuildingNode>(copy.get());
	ASSERT_NE(building, nullptr);
	EXPECT_TRUE(building->isOwned());
	EXPECT_EQ(building->getLuckiness(), -1);
	EXPECT_EQ(building->getRecord(), hostel->getRecord());

	CPropertyCollection written;
	hostel->writeProperties(written);
	EXPECT_TRUE(written.getBool("IsOwnedByThePlayer"));
	EXPECT_EQ(written.getInt("LuckinessType"), -1);
	SmartPointer<GBuildingNode> read(new GBuildingNode());
	read->readProperties(written);
	EXPECT_TRUE(read->isOwned());
	EXPECT_EQ(read->getLuckiness(), -1);
}

namespace
{
std::string shippedFile(const std::string& name)
{
	std::ifstream in(sourceDir() + "/assets/" + name);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}
} // namespace

// The first level with its shipped configuration: three owned campsites and $40,000 end it.
TEST(GGameLevelScene, FirstLevelEndsWithItsGoalsMet)
{
	LevelRig rig(levelXml(
	    buildingXml("Place1", 100, 200, "BuildingPlace") + buildingXml("Place2", 300, 200, "BuildingPlace") +
	    buildingXml("Place3", 500, 200, "BuildingPlace") + buildingXml("Theirs", 700, 200, "Camping1", false)));
	const std::string recordsXml = shippedFile("levels/common/BuildingsConfiguration.xml");
	const std::string levelConfigurationXml = shippedFile("levels/level1/LevelConfiguration.xml");
	SmartPointer<CXMLReader> recordsReader(new CXMLReader(recordsXml.data(), recordsXml.size()));
	SmartPointer<GBuildingsConfiguration> records(new GBuildingsConfiguration());
	ASSERT_TRUE(records->load(recordsReader.get()));
	SmartPointer<CXMLReader> levelReader(new CXMLReader(levelConfigurationXml.data(), levelConfigurationXml.size()));
	SmartPointer<GLevelConfiguration> configuration(new GLevelConfiguration());
	ASSERT_TRUE(configuration->load(levelReader.get()));

	rig.attach();
	rig.setUp(records.get(), configuration.get());
	ASSERT_TRUE(rig.enter());
	EXPECT_EQ(rig.level->money, 45000.0f);
	EXPECT_FALSE(rig.level->areObjectivesMet()) << "no campsite of the player's yet";
	EXPECT_EQ(rig.level->getHintText(), "") << "the campsites goal has no hint of its own";
	EXPECT_EQ(rig.level->income, 0.0f) << "the campsite nobody owns earns the player nothing";

	// Three campsites built with the starting money.
	SmartPointer<GBuildingType> camping = records->findBuilding(internStringId("Camping1"));
	for (const char* place : {"Place1", "Place2", "Place3"})
		rig.building(place)->setLevelRecord(camping.get(), false);
	rig.level->money -= 3 * camping->getCost();
	rig.level->recalculateStats();
	EXPECT_GT(rig.level->income, 0.0f);
	EXPECT_EQ(rig.level->guests, 3 * camping->getGuestsCount(rig.level->getModifierValues()));
	EXPECT_EQ(rig.level->getHintText(), "%GamePlay_CompleteHintMoney%");
	rig.drain();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventLevelCompleted), 0);

	// Four days of income refill the bank.
	rig.level->money += 4 * rig.level->income;
	rig.level->recalculateStats();
	EXPECT_TRUE(rig.level->areObjectivesMet());
	rig.drain();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventLevelCompleted), 1);
}

// Clouds start drifting when the level is first shown; showing it again starts no second drift.
TEST(GGameLevelScene, CloudsStartOnTheFirstEntryOnly)
{
	SmallLevel rig;
	rig.services.templates =
	    templateCollection(nodeXml("GPathMovableNode", "Cloud1") + nodeXml("GPathMovableNode", "Cloud2") +
	                       nodeXml("GPathMovableNode", "Cloud3"));
	rig.attach();
	rig.setUp(rig.buildingRecords.get(), rig.configuration.get());
	const auto cloudProcesses = [&]
	{
		int n = 0;
		for (const SmartPointer<GLevelProcess>& process : rig.level->getProcesses())
			n += dynamic_cast<GCloudsProcess*>(process.get()) ? 1 : 0;
		return n;
	};
	EXPECT_EQ(cloudProcesses(), 0);
	ASSERT_TRUE(rig.enter());
	EXPECT_EQ(cloudProcesses(), 1);
	rig.tickUntil(10, [] { return false; });
	EXPECT_FALSE(rig.level->getCargosNode()->getChildren().empty()) << "clouds under the cargos node";
	rig.enter(false);
	rig.enter();
	EXPECT_EQ(cloudProcesses(), 1);
}
