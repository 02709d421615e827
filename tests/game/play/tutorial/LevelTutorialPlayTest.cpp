#include "TutorialTestSupport.h"
#include "data/GBuildingType.h"
#include "game/GameTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace leveltest;
using namespace tutorialtest;

namespace
{
std::string shippedFile(const std::string& name)
{
	std::ifstream in(sourceDir() + "/assets/" + name);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}

template <class T> SmartPointer<T> shippedConfiguration(const std::string& name)
{
	const std::string xml = shippedFile(name);
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<T> read(new T());
	read->load(reader.get());
	return read;
}

// The first level with its shipped configuration and tutorial; the tutorial filters the level's events
// and the play screen's controls as the play screen sets it up, and the "player" does what each hint asks.
struct TutorialLevel : LevelRig
{
	explicit TutorialLevel(const std::string& folder)
	    : LevelRig(levelXml(buildingXml("Place1", 108, 418, "BuildingPlace") +
	                        buildingXml("Place2", 288, 418, "BuildingPlace") +
	                        buildingXml("Place3", 108, 600, "BuildingPlace"))),
	      templates(templateCollection(tutorialTemplates())), screen(new BaseNode())
	{
		records = shippedConfiguration<GBuildingsConfiguration>("levels/common/BuildingsConfiguration.xml");
		configuration = shippedConfiguration<GLevelConfiguration>(folder + "LevelConfiguration.xml");
		attach();
		setUp(records.get(), configuration.get());
		enter();

		tutorial.reset(new GTutorial(screen.get(), templates.get(), nullptr));
		const std::string xml = shippedFile(folder + "Tutorial.xml");
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		loaded = tutorial->load(reader.get(), level.get());
		level->preListeners.push_back(tutorial.get());
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			building->preListeners.push_back(tutorial.get());
	}
	~TutorialLevel()
	{
		level->removePreListener(tutorial.get());
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			building->removePreListener(tutorial.get());
		tutorial->stop();
	}

	// The raw text of the shown hint ("%key%"), or "-" while the window or its text is hidden.
	std::string hint() const
	{
		BaseNode* window = tutorial->getWindow();
		BaseNode* text = window ? window->findChild(internStringId("Text"), 1) : nullptr;
		if (!window || !window->isVisible() || !text || !text->isVisible())
			return "-";
		return narrow(static_cast<TextNode*>(text)->getText()).c_str();
	}

	// A play-screen control: the tutorial sees the click first, then the screen runs the command.
	bool press(const char* control)
	{
		SmartPointer<BaseNode> node(new BaseNode());
		node->setName(control);
		SmartPointer<CEventNodeClicked> clicked(new CEventNodeClicked(node.get()));
		if (tutorial->onEvent(clicked.get()))
			return false;
		const std::string name = control;
		GBuildingNode* selected = level->getSelectedBuilding();
		if (name == "UpgradeButton")
			level->upgradeBuilding(selected);
		else if (name == "RepairButton")
			level->repairBuilding(selected);
		else if (name == "ActiveFeature1Button")
			level->activateFeature(selected, 0);
		else if (name == "SellButton")
			selected->setForSale(true);
		return true;
	}
	bool pressItem(const char* list, int index)
	{
		SmartPointer<BaseNode> node(new BaseNode());
		node->setName(list);
		SmartPointer<CEventNodeListItemClicked> clicked(new CEventNodeListItemClicked(node.get(), index));
		if (tutorial->onEvent(clicked.get()))
			return false;
		const std::string name = list;
		if (name == "HotelsBuildList" && index == 0)
			level->buildOnPlace(level->getSelectedBuilding(), records->findBuilding(internStringId("Camping1")).get());
		else if (name == "JoysBuildList" && index == 0)
			level->buildOnPlace(level->getSelectedBuilding(), records->findBuilding(internStringId("Cafe")).get());
		else if (name == "BuyMaterialsList")
			level->buyMaterials(configuration->getMaterialOffers()[index].get());
		else if (name == "TrainWorkersList")
			level->trainWorkers(configuration->getWorkerOffers()[index].get());
		return true;
	}
	// A click on a building reaches the level, whose pre-listener the tutorial is.
	void clickBuilding(const char* place)
	{
		SmartPointer<CEventNodeClicked> clicked(new CEventNodeClicked(building(place)));
		level->onEvent(clicked.get());
	}
	// One frame: the level's tick, the posted messages, the tutorial.
	bool step(int ms)
	{
		services.scheduler->update(static_cast<unsigned>(ms));
		drain();
		return tutorial->update(ms);
	}

	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<BaseNode> screen;
	SmartPointer<GBuildingsConfiguration> records;
	SmartPointer<GLevelConfiguration> configuration;
	SmartPointer<GTutorial> tutorial;
	bool loaded = false;
};
} // namespace

// The first level's tutorial played to its end: every hint is answered as it asks, a wrong click is
// swallowed, the campsite is built and upgraded, and the level runs on unpaused afterwards.
TEST(LevelTutorialPlay, FirstLevelTutorialPlayedToItsEnd)
{
	TutorialLevel rig("levels/level1/");
	ASSERT_TRUE(rig.loaded);
	ASSERT_TRUE(rig.tutorial->start());
	std::vector<std::string> seen;
	bool running = true;
	for (int frame = 0; frame < 20000 && running; ++frame)
	{
		const std::string shown = rig.hint();
		if (seen.empty() || seen.back() != shown)
			seen.push_back(shown);
		if (shown == "%Tutorial_L1_Welcome%" || shown == "%Tutorial_L1_FirstGuests%" || shown == "%Tutorial_L1_Goals%")
		{
			EXPECT_TRUE(rig.level->isPaused()) << shown;
			EXPECT_FALSE(rig.press("Background")) << "a click only moves the tutorial on";
		}
		else if (shown == "%Tutorial_L1_PickLot%")
		{
			EXPECT_FALSE(rig.press("MenuButton")) << "wrong clicks are swallowed";
			rig.clickBuilding("Place1");
			EXPECT_EQ(rig.level->getSelectedBuilding(), rig.building("Place1"));
		}
		else if (shown == "%Tutorial_L1_HotelsTab%")
			EXPECT_TRUE(rig.press("HotelsButton"));
		else if (shown == "%Tutorial_L1_ChooseCampsite%")
		{
			EXPECT_FALSE(rig.pressItem("HotelsBuildList", 1)) << "only the campsite";
			EXPECT_TRUE(rig.pressItem("HotelsBuildList", 0));
		}
		else if (shown == "%Tutorial_L1_Building%" || shown == "%Tutorial_L1_Upgrading%")
		{
			EXPECT_FALSE(rig.level->isPaused()) << shown;
			EXPECT_FALSE(rig.press("AbortButton")) << "the work the hint waits for cannot be cancelled";
		}
		else if (shown == "%Tutorial_L1_PickCampsite%")
			rig.clickBuilding("Place1");
		else if (shown == "%Tutorial_L1_Upgrade%")
			EXPECT_TRUE(rig.press("UpgradeButton"));
		running = rig.step(20);
	}
	const std::vector<std::string> expected = {
	    "%Tutorial_L1_Welcome%",        "%Tutorial_L1_PickLot%",  "%Tutorial_L1_HotelsTab%",
	    "%Tutorial_L1_ChooseCampsite%", "%Tutorial_L1_Building%", "%Tutorial_L1_FirstGuests%",
	    "%Tutorial_L1_PickCampsite%",   "%Tutorial_L1_Upgrade%",  "%Tutorial_L1_Upgrading%",
	    "%Tutorial_L1_Goals%",          "%Tutorial_L1_TipClock%"};
	EXPECT_EQ(seen, expected);
	EXPECT_FALSE(running) << "the tutorial came to its end";
	EXPECT_EQ(getStringById(rig.building("Place1")->getRecord()->getName()), "Camping2");
	EXPECT_FALSE(rig.level->isPaused());
	EXPECT_TRUE(rig.screen->getChildren().empty()) << "the window and the arrows are gone";
}

// The second level's tutorial played to its end: a campsite and the cafe built, the feature started,
// materials bought, a breakdown repaired and a campsite put up for sale.
TEST(LevelTutorialPlay, SecondLevelTutorialPlayedToItsEnd)
{
	TutorialLevel rig("levels/level2/");
	ASSERT_TRUE(rig.loaded);
	ASSERT_TRUE(rig.tutorial->start());
	std::vector<std::string> seen;
	bool running = true;
	bool campsiteOrdered = false;
	for (int frame = 0; frame < 40000 && running; ++frame)
	{
		const std::string shown = rig.hint();
		const bool fresh = seen.empty() || seen.back() != shown;
		if (fresh)
			seen.push_back(shown);
		if (shown == "%Tutorial_L2_Welcome%" || shown == "%Tutorial_L2_Goals%")
			rig.press("Background");
		else if (shown == "%Tutorial_L2_BuildCampsite%" && !campsiteOrdered)
		{
			rig.clickBuilding("Place1");
			EXPECT_TRUE(rig.pressItem("HotelsBuildList", 0)) << "this hint leaves the player free";
			campsiteOrdered = true;
		}
		else if (shown == "%Tutorial_L2_CafeLot%")
			rig.clickBuilding("Place2");
		else if (shown == "%Tutorial_L2_JoysTab%")
			EXPECT_TRUE(rig.press("JoysButton"));
		else if (shown == "%Tutorial_L2_ChooseCafe%")
			EXPECT_TRUE(rig.pressItem("JoysBuildList", 0));
		else if (shown == "%Tutorial_L2_PickCafe%")
			rig.clickBuilding("Place2");
		else if (shown == "%Tutorial_L2_Feature%")
			EXPECT_TRUE(rig.press("ActiveFeature1Button"));
		else if (shown == "%Tutorial_L2_MaterialsTab%")
			EXPECT_TRUE(rig.press("Tab4Button"));
		else if (shown == "%Tutorial_L2_BuyMaterials%")
			EXPECT_TRUE(rig.pressItem("BuyMaterialsList", 0));
		else if (shown == "%Tutorial_L2_WorkersTab%")
			EXPECT_TRUE(rig.press("Tab5Button"));
		else if (shown == "%Tutorial_L2_TrainWorkers%" && fresh)
			EXPECT_FALSE(rig.press("Tab4Button")) << "the other tab waits";
		else if (shown == "%Tutorial_L2_Broken%")
		{
			EXPECT_EQ(rig.building("Place1")->getCondition(), GBuildingNode::Broken);
			rig.clickBuilding("Place1");
		}
		else if (shown == "%Tutorial_L2_Repair%")
			EXPECT_TRUE(rig.press("RepairButton"));
		else if (shown == "%Tutorial_L2_PickForSale%")
			rig.clickBuilding("Place1");
		else if (shown == "%Tutorial_L2_Sell%")
			EXPECT_TRUE(rig.press("SellButton"));
		running = rig.step(20);
	}
	const std::vector<std::string> expected = {"%Tutorial_L2_Welcome%",      "%Tutorial_L2_BuildCampsite%",
	                                           "%Tutorial_L2_CafeLot%",      "%Tutorial_L2_JoysTab%",
	                                           "%Tutorial_L2_ChooseCafe%",   "%Tutorial_L2_CafeBuilding%",
	                                           "%Tutorial_L2_PickCafe%",     "%Tutorial_L2_Feature%",
	                                           "%Tutorial_L2_MaterialsTab%", "%Tutorial_L2_BuyMaterials%",
	                                           "%Tutorial_L2_WorkersTab%",   "%Tutorial_L2_TrainWorkers%",
	                                           "%Tutorial_L2_Watch%",        "-",
	                                           "%Tutorial_L2_Broken%",       "%Tutorial_L2_Repair%",
	                                           "%Tutorial_L2_PickForSale%",  "%Tutorial_L2_Sell%",
	                                           "%Tutorial_L2_Buyer%",        "%Tutorial_L2_Goals%",
	                                           "%Tutorial_L2_TipUpgrade%"};
	EXPECT_EQ(seen, expected);
	EXPECT_FALSE(running);
	EXPECT_EQ(getStringById(rig.building("Place2")->getRecord()->getName()), "Cafe");
	EXPECT_NE(rig.building("Place1")->getCondition(), GBuildingNode::Broken) << "the repair was done";
	EXPECT_TRUE(rig.building("Place1")->isForSale());
	EXPECT_FALSE(rig.level->isPaused());
}
