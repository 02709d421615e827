#include "LevelTestSupport.h"
#include "data/GameEventIds.h"
#include "level/GEllipseSectorNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"

#include <gtest/gtest.h>

using namespace leveltest;

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

const std::string cafeFeature = "<ActiveFeature DurationTime=\"12000\" RechargeTime=\"6000\">"
                                "<Feature Type=\"BoostIncome\"/></ActiveFeature>";

// Hostels hold ten guests; the cafe (a joy, type 1) earns 5 a served guest and has a paying feature.
const std::string records =
    recordXml("BuildingPlace", 0, 0) +
    recordXml("Hostel1", 1, 0,
              prop("float", "Income", "1000") + prop("int", "GuestsCount", "10") +
                  prop("float", "SellPrice", "48400")) +
    recordXml("Hostel2", 2, 0, prop("float", "Income", "2000") + prop("int", "GuestsCount", "20")) +
    recordXml("Cafe1", 1, 1,
              prop("vector2d", "ServeArea", "400;200") + prop("float", "ServeIncome", "5") +
                  prop("float", "ServeBoostedIncome", "40") + prop("float", "Income", "100"),
              cafeFeature) +
    recordXml("Park1", 1, 1, prop("vector2d", "ServeArea", "300;200") + prop("float", "ServeAreaIncomeBonus", "10")) +
    recordXml("Tiny1", 1, 1, prop("float", "ServeIncome", "5"));

// A level from these buildings, set up with the records above and the configuration properties.
struct BuildingLevel : LevelRig
{
	BuildingLevel(const std::string& buildings, const std::string& configurationXml = "",
	              const std::string& templates = "")
	    : LevelRig(levelXml(buildings), templates)
	{
		attach();
		setUp(buildingsConfiguration(records).get(), levelConfiguration(configurationXml).get());
	}
};

int guestsOf(GBuildingNode* building)
{
	return building->countServedGuests(building->getRecord());
}
} // namespace

// Two cafes of one type around a hostel: the first to register serves it. Once that cafe is sold the
// other one serves the hostel; buying the first back leaves the hostel with the second.
TEST(GBuildingNodeServers, RegistrationFollowsOwnership)
{
	BuildingLevel rig(buildingXml("Cafe1a", 100, 100, "Cafe1") + buildingXml("Hostel", 200, 150, "Hostel1") +
	                  buildingXml("Cafe1b", 300, 100, "Cafe1"));
	GBuildingNode* first = rig.building("Cafe1a");
	GBuildingNode* second = rig.building("Cafe1b");
	GBuildingNode* hostel = rig.building("Hostel");
	EXPECT_EQ(hostel->getServerFor(id("Cafe1")), first);
	EXPECT_EQ(guestsOf(first), 10);
	EXPECT_EQ(guestsOf(second), 0);
	EXPECT_EQ(first->getIncome(), 10 * 5.0f + 100.0f);

	first->setOwned(false);
	EXPECT_EQ(hostel->getServerFor(id("Cafe1")), second);
	EXPECT_EQ(guestsOf(second), 10);
	EXPECT_EQ(guestsOf(first), 0);

	first->setOwned(true);
	EXPECT_EQ(hostel->getServerFor(id("Cafe1")), second);
	EXPECT_EQ(guestsOf(second), 10);
	EXPECT_EQ(guestsOf(first), 0);
}

TEST(GBuildingNodeServers, NoServeAreaServesNobody)
{
	BuildingLevel rig(buildingXml("Tiny", 100, 100, "Tiny1") + buildingXml("Hostel", 200, 150, "Hostel1"));
	EXPECT_EQ(rig.building("Hostel")->getServerFor(id("Tiny1")), nullptr);
	EXPECT_TRUE(rig.building("Tiny")->collectServeArea(rig.building("Tiny")->getRecord()).empty());
	EXPECT_EQ(guestsOf(rig.building("Tiny")), 0);
}

// Each building type adds its serve-area bonus once, luckiness adds the level's place bonus.
TEST(GBuildingNodeIncome, BonusCountsEachTypeOnceAndLuckiness)
{
	BuildingLevel rig(buildingXml("ParkA", 100, 100, "Park1") + buildingXml("ParkB", 300, 100, "Park1") +
	                      buildingXml("Hostel", 200, 150, "Hostel1", true, prop("int", "LuckinessType", "1")) +
	                      buildingXml("Far", 900, 600, "Hostel1", true, prop("int", "LuckinessType", "-1")),
	                  prop("float", "IncomeBonus1", "15") + prop("float", "IncomeBonus2", "-10"));
	GBuildingNode* hostel = rig.building("Hostel");
	EXPECT_EQ(hostel->getIncomeBonus(), 10.0f + 15.0f);
	ASSERT_EQ(hostel->getBonusSources().size(), 1u);
	EXPECT_EQ(hostel->getBonusSources()[0], rig.building("ParkA"));
	EXPECT_EQ(hostel->getIncome(), 1000.0f * 1.25f);
	EXPECT_EQ(rig.building("Far")->getIncomeBonus(), -10.0f);

	rig.building("ParkA")->setCondition(GBuildingNode::Broken);
	rig.building("ParkB")->setCondition(GBuildingNode::Broken);
	hostel->updateIncomeBonus();
	EXPECT_EQ(hostel->getIncomeBonus(), 15.0f) << "a broken park gives its broken bonus, 0 here";
	hostel->setLuckiness(0);
	EXPECT_EQ(hostel->getIncomeBonus(), 0.0f);
}

TEST(GBuildingNodeState, WorkingNeedsAnOwnedBuildingInNormalConditionWithoutWork)
{
	BuildingLevel rig(buildingXml("Hostel", 100, 100, "Hostel1") + buildingXml("Cafe", 400, 100, "Cafe1"));
	GBuildingNode* hostel = rig.building("Hostel");
	GBuildingNode* cafe = rig.building("Cafe");
	struct Case
	{
		const char* name;
		GBuildingNode* building;
		void (*change)(GBuildingNode*);
		bool working;
	};
	const Case cases[] = {
	    {"as set up", hostel, [](GBuildingNode*) {}, true},
	    {"not owned", hostel, [](GBuildingNode* b) { b->setOwned(false); }, false},
	    {"for sale", hostel, [](GBuildingNode* b) { b->setForSale(true); }, false},
	    {"hidden", hostel, [](GBuildingNode* b) { b->setVisible(false); }, false},
	    {"broken", hostel, [](GBuildingNode* b) { b->setCondition(GBuildingNode::Broken); }, false},
	    {"hotel serving", hostel, [](GBuildingNode* b) { b->setWork(GBuildingNode::ServingWork, nullptr); }, false},
	    {"featured joy serving", cafe, [](GBuildingNode* b) { b->setWork(GBuildingNode::ServingWork, nullptr); }, true},
	    {"featured joy feature", cafe, [](GBuildingNode* b) { b->setWork(GBuildingNode::FeatureWork, nullptr); }, true},
	    {"featured joy repaired", cafe, [](GBuildingNode* b) { b->setWork(GBuildingNode::WorkerJob, nullptr); }, false},
	};
	for (const Case& c : cases)
	{
		c.change(c.building);
		EXPECT_EQ(c.building->isWorking(), c.working) << c.name;
		// Back to the start for the next case.
		c.building->setOwned(true);
		c.building->setForSale(false);
		c.building->setVisible(true);
		c.building->setCondition(GBuildingNode::Normal);
		c.building->setWork(GBuildingNode::NoWork, nullptr);
	}
}

// A paying feature of 12 000 ms pays a quarter of served guests x boosted income four times, then
// recharges and reports the building ready.
TEST(GBuildingNodeFeatures, PayingFeatureRunsAndRecharges)
{
	BuildingLevel rig(buildingXml("Cafe", 100, 100, "Cafe1") + buildingXml("Hostel", 200, 150, "Hostel1"),
	                  prop("float", "InitMoney", "0"));
	GBuildingNode* cafe = rig.building("Cafe");
	EXPECT_TRUE(cafe->isFeatureAllowed(0));
	EXPECT_FALSE(cafe->isFeatureAllowed(1));
	EXPECT_EQ(cafe->getFeatureState(1), GFeatureState::Recharging) << "past the features";
	cafe->activateFeature(0);
	EXPECT_EQ(cafe->getFeatureState(0), GFeatureState::Active);
	EXPECT_EQ(cafe->getFeatureIncome(), 400.0f);
	const float perPayment = 10 * 40.0f * 0.25f;

	ASSERT_TRUE(rig.tickUntil(2000, [&] { return rig.level->money >= perPayment; }));
	rig.drain();
	EXPECT_EQ(rig.services.log->count(EventTypeGEventFeatureIncome), 1) << "passed on to the play screen";

	ASSERT_TRUE(rig.tickUntil(2000, [&] { return cafe->getFeatureState(0) == GFeatureState::Recharging; }));
	EXPECT_EQ(rig.level->money, 4 * perPayment);
	EXPECT_EQ(rig.services.log->count(EventTypeGEventFeatureEnded), 1);
	EXPECT_NEAR(cafe->getFeatureProgress(0), 0.0f, 0.01f);

	// A broken building holds its feature's time.
	cafe->setCondition(GBuildingNode::Broken);
	rig.tickUntil(1000, [] { return false; });
	EXPECT_EQ(cafe->getFeatureState(0), GFeatureState::Recharging);
	cafe->setCondition(GBuildingNode::Normal);
	ASSERT_TRUE(rig.tickUntil(1000, [&] { return cafe->getFeatureState(0) == GFeatureState::Idle; }));
	EXPECT_EQ(rig.services.log->count(EventTypeGEventBuildingReady), 1);
	EXPECT_EQ(rig.level->money, 4 * perPayment);
}

// Cancelling an upgrade during which a feature was active: it recharges for the used share.
TEST(GBuildingNodeFeatures, RestoringStateTurnsAnActiveFeatureRecharging)
{
	BuildingLevel rig(buildingXml("Cafe", 100, 100, "Cafe1"));
	GBuildingNode* cafe = rig.building("Cafe");
	cafe->activateFeature(0);
	rig.tickUntil(300, [] { return false; }); // 3000 ms of 12 000 used
	cafe->saveState();
	cafe->setLevelRecord(rig.level->getBuildingsConfiguration()->findBuilding(id("Cafe1")).get(), false);
	EXPECT_EQ(cafe->getFeatureState(0), GFeatureState::Idle);
	cafe->setLevelRecord(rig.level->getBuildingsConfiguration()->findBuilding(id("Cafe1")).get(), true);
	EXPECT_EQ(cafe->getFeatureState(0), GFeatureState::Recharging);
	EXPECT_EQ(cafe->getFeatureStates()[0].remaining, 6000 / 4);
	EXPECT_FALSE(cafe->getFeatureStates()[0].paying);
}

// An owned building for sale gets a buyer's call; the offer is the price times the buyer's factor,
// to the nearest thousand.
TEST(GBuildingNodeSale, BuyerOffersARoundedPrice)
{
	BuildingLevel rig(buildingXml("Hostel", 100, 100, "Hostel1"),
	                  prop("vector2d", "BuildingsBuyRequestTime", "1000;1000") +
	                      prop("vector2d", "BuildingsBuyRequestTimeWaiting", "2000;2000") +
	                      prop("vector2d", "BuildingsBuyRequestPriceMultiplier", "0.9;0.9"));
	GBuildingNode* hostel = rig.building("Hostel");
	EXPECT_EQ(hostel->getPrice(), 48400.0f);
	hostel->setForSale(true);
	EXPECT_EQ(hostel->getSaleTimeLimit(), 1000);
	ASSERT_TRUE(rig.tickUntil(200, [&] { return hostel->isBuyerPending(); }));
	EXPECT_EQ(hostel->getOfferPrice(), 44000);
	EXPECT_EQ(hostel->getSaleTimeLimit(), 2000);

	// Unanswered, the call ends and another buyer will call.
	ASSERT_TRUE(rig.tickUntil(300, [&] { return !hostel->isBuyerPending(); }));
	EXPECT_TRUE(hostel->isForSale());
	EXPECT_EQ(hostel->getSaleTimeLimit(), 1000);
	hostel->endSale();
	EXPECT_FALSE(hostel->isForSale());
}

TEST(GBuildingNodeSale, PriceModifiersByOwnershipAndOffer)
{
	BuildingLevel rig(buildingXml("Mine", 100, 100, "Hostel1") + buildingXml("Theirs", 400, 100, "Hostel1", false));
	GLevelModifierValues& values = *rig.level->getModifierValues();
	values.ownedBuildingPriceBonus = 10.0f;
	values.buyBuildingPriceDiscount = 20.0f;
	values.buyNotForSaleBuildingPriceBonus = 50.0f;
	EXPECT_FLOAT_EQ(rig.building("Mine")->getPrice(), 48400.0f * 1.1f);
	EXPECT_FLOAT_EQ(rig.building("Theirs")->getPrice(), 48400.0f * 1.3f) << "not offered: -20% + 50%";
	rig.building("Theirs")->setForSale(true);
	EXPECT_FLOAT_EQ(rig.building("Theirs")->getPrice(), 48400.0f * 0.8f) << "offered: only the discount";
	EXPECT_FLOAT_EQ(rig.building("Mine")->getPrice(rig.building("Mine")->getRecord()), 48400.0f * 1.1f);
}

// The serve area shown for a building is clipped to the level rect before it is fitted to 40-pixel cells.
TEST(GBuildingNodeServeArea, ClippedToTheLevelRect)
{
	BuildingLevel rig(buildingXml("Cafe", 100, 200, "Cafe1"), "", nodeXml("BaseNode", "ServeArea"));
	GBuildingNode* cafe = rig.building("Cafe");
	BaseNode* area = cafe->getServeAreaNode();
	ASSERT_NE(area, nullptr);
	EXPECT_FALSE(area->isVisible());
	EXPECT_EQ(cafe->findChild(id("ServeArea"), -2), nullptr) << "made from the template: internal";

	// Level rect (100, 170, 512, 419); serve rect (-30, 128, 370, 328), clipped (100, 170, 370, 328):
	// 270 wide gives 7 cells, 158 high 4 cells and one more.
	EXPECT_EQ(cafe->getServeRect(cafe->getRecord()), (LevelRect{-30, 128, 370, 328}));
	cafe->updateServeArea(cafe->getRecord());
	EXPECT_TRUE(area->isVisible());
	EXPECT_EQ(area->getBounds(), irr::core::vector3df(280, 200, 0));
	EXPECT_EQ(area->getPosition().X, 235 - 140 - 100.0f) << "centred on the clipped rect, relative to the building";
	EXPECT_EQ(area->getPosition().Y, 249 - 100 - 200.0f);

	// Nothing left after clipping: hidden.
	cafe->updateServeArea(rig.level->getBuildingsConfiguration()->findBuilding(id("Tiny1")).get());
	EXPECT_FALSE(area->isVisible());
	cafe->updateServeArea(cafe->getRecord());
	cafe->updateServeArea(nullptr);
	EXPECT_FALSE(area->isVisible());
}

// A ring of background, sector and hand: sweep, colour and hand follow the ratio; the warning state is
// set once the ratio passes 0.75 and stays.
TEST(CountdownRingNode, SweepColourHandAndWarning)
{
	SmartPointer<BaseNode> ring(new BaseNode());
	for (BaseNode* part : {new BaseNode(), static_cast<BaseNode*>(new GEllipseSectorNode()), new BaseNode()})
	{
		ring->addChild(part);
		part->drop();
	}
	auto* sector = static_cast<GEllipseSectorNode*>(ring->getChildren()[1]);
	BaseNode* hand = ring->getChildren()[2];
	showCountdownRing(ring.get(), 0.5f);
	EXPECT_EQ(sector->getAngle2(), 180);
	EXPECT_EQ(sector->getFillColor(), irr::video::SColor(255, 255, 255, 0));
	EXPECT_EQ(hand->getRotation().Z, 180.0f);
	EXPECT_TRUE(sector->getCurrentState().isEmpty());
	showCountdownRing(ring.get(), 0.8f);
	EXPECT_EQ(sector->getCurrentState(), id("Alert"));
	showCountdownRing(ring.get(), 1.2f);
	EXPECT_EQ(sector->getFillColor(), irr::video::SColor(255, 255, 0, 0)) << "no overshoot past red";

	// Fewer than three parts: nothing happens.
	SmartPointer<BaseNode> small(new BaseNode());
	showCountdownRing(small.get(), 0.5f);
	showCountdownRing(nullptr, 0.5f);
}

// Stars over hotels: shown for owned hotels of level 1 and up, one sprite per star; one may be hidden.
TEST(GBuildingNodeDisplay, StarsShowTheLevelOfOwnedHotels)
{
	const std::string stars = nodeXml("BaseNode", "StarIcons", position(10, -20),
	                                  nodeXml("SpriteNode", "S1", position(0, 0) + bounds(16, 16)) +
	                                      nodeXml("SpriteNode", "S2", position(20, 0) + bounds(16, 16)) +
	                                      nodeXml("SpriteNode", "S3", position(40, 0) + bounds(16, 16)));
	BuildingLevel rig(buildingXml("Hostel", 100, 100, "Hostel2", true, "", stars) +
	                  buildingXml("Theirs", 300, 100, "Hostel1", false, "", stars) +
	                  buildingXml("Place", 500, 100, "BuildingPlace", true, "", stars) +
	                  buildingXml("Cafe", 700, 100, "Cafe1", true, "", stars));
	auto starsOf = [&](const char* name) { return rig.building(name)->findChild(id("StarIcons"), -2); };
	ASSERT_NE(starsOf("Hostel"), nullptr);
	EXPECT_TRUE(starsOf("Hostel")->isVisible());
	EXPECT_FALSE(starsOf("Theirs")->isVisible()) << "not owned";
	EXPECT_FALSE(starsOf("Place")->isVisible()) << "level 0";
	EXPECT_FALSE(starsOf("Cafe")->isVisible()) << "not a hotel";

	GBuildingNode* hostel = rig.building("Hostel");
	hostel->setStars(-1, 2);
	EXPECT_TRUE(starsOf("Hostel")->getChildren()[0]->isVisible());
	EXPECT_FALSE(starsOf("Hostel")->getChildren()[1]->isVisible());
	// Level 2 fills star 1: icons at (10, -20) + building (100, 100) + star (0, 0) + half of 16 x 16.
	EXPECT_EQ(hostel->getStarCentre(), irr::core::vector3df(118, 88, 0));
	EXPECT_EQ(rig.building("Place")->getStarCentre(), irr::core::vector3df(0, 0, 0));
}

namespace
{
// Icons placed by the building's template: smile at (10, 10), workers at (50, 10), features at (0, 70)
// and (40, 70).
const std::string icons = nodeXml("TextNode", "SmileIcon", position(10, 10), nodeXml("SpriteNode", "Face")) +
                          nodeXml("TextNode", "WorkersText", position(50, 10)) +
                          nodeXml("BaseNode", "Feature1Icon", position(0, 70)) +
                          nodeXml("BaseNode", "Feature2Icon", position(40, 70));

std::string textOf(BaseNode* node)
{
	TextNode* text = asTextNode(node);
	return text ? std::string(irr::core::stringc(text->getText()).c_str()) : std::string("?");
}
} // namespace

// The smile shows the income bonus; the workers text shares its place when the smile is hidden.
TEST(GBuildingNodeDisplay, SmileAndWorkersShareTheirPlaces)
{
	BuildingLevel rig(buildingXml("Lucky", 100, 100, "Hostel1", true, prop("int", "LuckinessType", "1"), icons) +
	                      buildingXml("Plain", 400, 100, "Hostel1", true, "", icons),
	                  prop("float", "IncomeBonus1", "15"));
	GBuildingNode* lucky = rig.building("Lucky");
	BaseNode* smile = lucky->findChild(id("SmileIcon"), -2);
	BaseNode* workers = lucky->findChild(id("WorkersText"), -2);
	EXPECT_TRUE(smile->isVisible());
	EXPECT_EQ(textOf(smile), "+15%");
	EXPECT_FALSE(workers->isVisible());

	lucky->setWorkersText(3);
	EXPECT_TRUE(workers->isVisible());
	EXPECT_EQ(textOf(workers), "x3");
	EXPECT_EQ(smile->getPosition(), irr::core::vector3df(10, 10, 0));
	EXPECT_EQ(workers->getPosition(), irr::core::vector3df(50, 10, 0));
	lucky->setWorkersText(0);
	EXPECT_FALSE(workers->isVisible());

	GBuildingNode* plain = rig.building("Plain");
	EXPECT_FALSE(plain->findChild(id("SmileIcon"), -2)->isVisible()) << "no bonus";
	plain->setWorkersText(2);
	EXPECT_EQ(plain->findChild(id("WorkersText"), -2)->getPosition(), irr::core::vector3df(10, 10, 0));
}

// Without the level's luckiness display the smile stays hidden.
TEST(GBuildingNodeDisplay, SmileOffWithoutLuckinessDisplay)
{
	BuildingLevel rig(buildingXml("Lucky", 100, 100, "Hostel1", true, prop("int", "LuckinessType", "1"), icons),
	                  prop("float", "IncomeBonus1", "15") + prop("bool", "IsBuildingPlaceLuckinessOn", "false"));
	EXPECT_FALSE(rig.building("Lucky")->findChild(id("SmileIcon"), -2)->isVisible());
	EXPECT_EQ(rig.building("Lucky")->getIncomeBonus(), 15.0f) << "the bonus counts all the same";
}

// One allowed feature: its icon sits midway between the two places; workers on site hide it.
TEST(GBuildingNodeDisplay, FeatureIconsFollowTheAllowedFeatures)
{
	BuildingLevel rig(buildingXml("Cafe", 100, 100, "Cafe1", true, "", icons));
	GBuildingNode* cafe = rig.building("Cafe");
	BaseNode* first = cafe->findChild(id("Feature1Icon"), -2);
	BaseNode* second = cafe->findChild(id("Feature2Icon"), -2);
	EXPECT_TRUE(first->isVisible());
	EXPECT_FALSE(second->isVisible());
	EXPECT_EQ(first->getPosition(), irr::core::vector3df(20, 70, 0));
	cafe->setWorkersText(1);
	EXPECT_FALSE(first->isVisible());
	cafe->setWorkersText(0);
	EXPECT_TRUE(first->isVisible());
	cafe->setOwned(false);
	EXPECT_FALSE(first->isVisible());
}

// Records of Type 3 and up start run-down; decorations nobody owns are dirty when the level says so.
TEST(GBuildingNodeState, RecordRulesForConditionAtSetUp)
{
	const std::string extra = recordXml("Depot1", 1, 3) + recordXml("Garden1", 1, 2,
	                                                                prop("vector2d", "ServeArea", "100;100") +
	                                                                    prop("float", "ServeAreaIncomeBonus", "5"));
	LevelRig rig(levelXml(buildingXml("Depot", 100, 100, "Depot1") + buildingXml("Theirs", 300, 100, "Garden1", false) +
	                      buildingXml("Mine", 500, 100, "Garden1")));
	rig.attach();
	rig.setUp(buildingsConfiguration(records + extra).get(),
	          levelConfiguration(prop("bool", "IsNotOwnedDecorationsDirty", "true")).get());
	EXPECT_EQ(rig.building("Depot")->getCondition(), GBuildingNode::RunDown);
	EXPECT_EQ(rig.building("Theirs")->getCondition(), GBuildingNode::Dirty);
	EXPECT_EQ(rig.building("Mine")->getCondition(), GBuildingNode::Normal);
}

TEST(GBuildingNodeState, WorkCueByFeatureAndWork)
{
	const std::string extra = recordXml("TruckStation", 1, 3, "", cafeFeature) +
	                          recordXml("Hostel3", 3, 0, prop("string", "SelectedSoundCueName", "HotelSelected"));
	BuildingLevel rig(buildingXml("Hostel", 100, 100, "Hostel1") + buildingXml("Cafe", 300, 100, "Cafe1"));
	SmartPointer<GBuildingsConfiguration> more = buildingsConfiguration(extra);
	GBuildingNode* hostel = rig.building("Hostel");
	GBuildingNode* cafe = rig.building("Cafe");
	struct Case
	{
		GBuildingNode* building;
		int work;
		const char* cue;
	};
	const Case cases[] = {
	    {hostel, GBuildingNode::BuildWork, "Building"}, {hostel, GBuildingNode::DemolitionWork, "Destroying"},
	    {hostel, GBuildingNode::WorkerJob, "Building"}, {cafe, GBuildingNode::WorkerJob, "CleaningDecoration"},
	    {cafe, GBuildingNode::ServingWork, ""},         {cafe, GBuildingNode::FeatureWork, ""}};
	for (const Case& c : cases)
	{
		c.building->setWork(c.work, nullptr);
		EXPECT_EQ(getStringById(c.building->getWorkCueName()), c.cue) << c.work;
		c.building->setWork(GBuildingNode::NoWork, nullptr);
	}
	hostel->setLevelRecord(more->findBuilding(id("Hostel3")).get(), false);
	EXPECT_EQ(hostel->getWorkCueName(), id("HotelSelected"));
	hostel->setWork(GBuildingNode::BuildWork, nullptr);
	EXPECT_EQ(hostel->getWorkCueName(), id("Upgrading"));

	cafe->setLevelRecord(more->findBuilding(id("TruckStation")).get(), false);
	cafe->setCondition(GBuildingNode::Normal);
	cafe->activateFeature(0);
	EXPECT_EQ(cafe->getWorkCueName(), id("FeatureFactory"));
}

// Hovering a build entry over an empty place shows the new building half see-through; leaving it
// brings the place back.
TEST(GBuildingNodeDisplay, BuildPreviewOnEmptyPlacesOnly)
{
	BuildingLevel rig(buildingXml("Place", 100, 100, "BuildingPlace") + buildingXml("Hostel", 300, 100, "Hostel1"));
	SmartPointer<GBuildingType> cafe = rig.level->getBuildingsConfiguration()->findBuilding(id("Cafe1"));
	GBuildingNode* place = rig.building("Place");
	place->showBuildPreview(cafe.get());
	EXPECT_EQ(place->getTemplateName(), id("Cafe1"));
	ASSERT_NE(place->getTemplateRoot(), nullptr);
	EXPECT_EQ(place->getTemplateRoot()->getTintColor().getAlpha(), 204u);
	place->showBuildPreview(nullptr);
	EXPECT_EQ(place->getTemplateName(), id("BuildingPlace"));
	EXPECT_EQ(place->getTemplateRoot()->getTintColor().getAlpha(), 255u);

	GBuildingNode* hostel = rig.building("Hostel");
	hostel->showBuildPreview(cafe.get());
	EXPECT_EQ(hostel->getTemplateName(), id("Hostel1")) << "a built place shows no preview";
}

// A serve-area tint reaches the building's sprites, never its icons.
TEST(GBuildingNodeDisplay, TintLeavesTheIconsAlone)
{
	BuildingLevel rig(buildingXml("Hostel", 100, 100, "Hostel1", true, "",
	                              nodeXml("SpriteNode", "Roof") + nodeXml("SpriteNode", "Selector") +
	                                  nodeXml("SpriteNode", "StarIcons")));
	GBuildingNode* hostel = rig.building("Hostel");
	hostel->tintSprites(irr::video::SColor(255, 0, 0, 48));
	auto blendOf = [&](const char* name)
	{ return static_cast<SpriteNode*>(hostel->findChild(id(name), -2))->getBlendType(); };
	EXPECT_EQ(blendOf("Roof"), 1);
	EXPECT_EQ(hostel->findChild(id("Roof"), -2)->getTintColor(), irr::video::SColor(255, 0, 0, 48));
	EXPECT_EQ(blendOf("Selector"), 0);
	EXPECT_EQ(blendOf("StarIcons"), 0);
}

// The look of a record may carry the stars and icons itself; a new look replaces them without the
// building keeping the old parts.
TEST(GBuildingNodeDisplay, PartsCarriedByTheLookFollowIt)
{
	const std::string lookParts =
	    nodeXml("BaseNode", "StarIcons", "", nodeXml("SpriteNode", "S1") + nodeXml("SpriteNode", "S2")) +
	    nodeXml("BaseNode", "WorkersText", position(30, 5));
	const std::string templates = nodeXml("BaseNode", "Hostel1", "", lookParts) +
	                              nodeXml("BaseNode", "BuildingPlace", "", nodeXml("BaseNode", "WorkersText")) +
	                              nodeXml("BaseNode", "Cafe1", "", lookParts);
	BuildingLevel rig(buildingXml("Hostel", 100, 100, "Hostel1") + buildingXml("Place", 300, 100, "BuildingPlace"), "",
	                  templates);
	GBuildingNode* hostel = rig.building("Hostel");
	BaseNode* stars = hostel->getTemplateRoot()->findChild(id("StarIcons"), -2);
	ASSERT_NE(stars, nullptr);
	EXPECT_TRUE(stars->isVisible()) << "an owned hostel of level 1";
	hostel->setStars(-1, 1);
	EXPECT_FALSE(stars->getChildren()[0]->isVisible());

	// Previews swap the place's look back and forth; everything the building touches afterwards is
	// part of the look it has now.
	GBuildingNode* place = rig.building("Place");
	SmartPointer<GBuildingType> cafe = rig.level->getBuildingsConfiguration()->findBuilding(id("Cafe1"));
	for (int i = 0; i < 3; ++i)
	{
		place->showBuildPreview(cafe.get());
		place->setWorkersText(2);
		place->setStars();
		place->showBuildPreview(nullptr);
		place->setWorkersText(1);
		place->updateFeatureIcons();
	}
	BaseNode* workers = place->getTemplateRoot()->findChild(id("WorkersText"), -2);
	ASSERT_NE(workers, nullptr);
	EXPECT_TRUE(workers->isVisible());
}
