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
	TutorialLevel()
	    : LevelRig(levelXml(buildingXml("Place1", 108, 418, "BuildingPlace") +
	                        buildingXml("Place2", 288, 418, "BuildingPlace") +
	                        buildingXml("Place3", 108, 600, "BuildingPlace"))),
	      templates(templateCollection(tutorialTemplates())), screen(new BaseNode())
	{
		records = shippedConfiguration<GBuildingsConfiguration>("levels/common/BuildingsConfiguration.xml");
		configuration = shippedConfiguration<GLevelConfiguration>("levels/level1/LevelConfiguration.xml");
		attach();
		setUp(records.get(), configuration.get());
		enter();

		tutorial.reset(new GTutorial(screen.get(), templates.get(), nullptr));
		const std::string xml = shippedFile("levels/level1/Tutorial.xml");
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
		if (std::string(control) == "UpgradeButton")
			level->upgradeBuilding(level->getSelectedBuilding());
		return true;
	}
	bool pressItem(const char* list, int index)
	{
		SmartPointer<BaseNode> node(new BaseNode());
		node->setName(list);
		SmartPointer<CEventNodeListItemClicked> clicked(new CEventNodeListItemClicked(node.get(), index));
		if (tutorial->onEvent(clicked.get()))
			return false;
		if (std::string(list) == "HotelsBuildList" && index == 0)
			level->buildOnPlace(level->getSelectedBuilding(), records->findBuilding(internStringId("Camping1")).get());
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
	TutorialLevel rig;
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
