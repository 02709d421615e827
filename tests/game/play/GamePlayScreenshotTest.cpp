#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "level/GBuildingNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"

#include "WindowedPlayStage.h"

// Level 1 played in a 1024 x 768 OpenGL window: a campsite going up, the hotels' build cards in the dock.
// The window is kept as <build>/artifacts/gameplay.png.
namespace
{
using GamePlayScreenshots = playtest::WindowedPlayStage;

bool isGold(unsigned long p)
{
	const int r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
	return r > 180 && g > 120 && b < 110;
}
} // namespace

TEST_F(GamePlayScreenshots, LevelOneWithACampsiteGoingUp)
{
	ASSERT_TRUE(enterLevel()) << log.dump();

	// The first empty place is bought and a campsite ordered on it, and the player looks at the hotels' cards.
	GBuildingNode* place = nullptr;
	for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
		if (!place && building->getRecord() && building->getRecord()->getLevel() == 0)
			place = building.get();
	ASSERT_NE(place, nullptr);
	SmartPointer<GBuildingType> camping = application->buildingsConfiguration->findBuilding(internStringId("Camping1"));
	ASSERT_TRUE(camping);
	EXPECT_TRUE(level->buyBuilding(place) || place->isOwned()) << log.dump();
	EXPECT_TRUE(level->buildOnPlace(place, camping.get())) << log.dump();
	for (int i = 0; i < 150; ++i)
		step();
	auto* tabs = nodeCast<TabSceneNode>(play->findChild(internStringId("ActionsTabScene"), 3));
	ASSERT_NE(tabs, nullptr);
	tabs->setActiveTab(0, true);
	for (int i = 0; i < 20; ++i)
		step();

	const onscreen::WindowImage shot = shoot("gameplay");
	ASSERT_FALSE(shot.empty());
	// The money sign at the top left and the clock's gold rim at the top right are drawn over the level.
	EXPECT_TRUE(isGold(shot.at(23, 28))) << std::hex << shot.at(23, 28);
	EXPECT_TRUE(isGold(shot.at(844, 52))) << std::hex << shot.at(844, 52);

	// Selected, the campsite shows its building work in the dock, with its information above it.
	CEventNodeClicked clicked(place);
	level->onEvent(&clicked);
	for (int i = 0; i < 20; ++i)
		step();
	ASSERT_EQ(tabs->getActiveTabIndex(), 5);
	ASSERT_FALSE(shoot("gameplay-building").empty());

	// The materials page lists the level's deliveries.
	tabs->setActiveTab(3, true);
	for (int i = 0; i < 20; ++i)
		step();
	ASSERT_FALSE(shoot("gameplay-materials").empty());
}
