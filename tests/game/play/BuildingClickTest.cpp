#include "PlayTestSupport.h"

#include "level/GBuildingNode.h"
#include "core/TaskScheduler.h"

// A lot pressed with the mouse plays its press look and then reaches the level as a click: the level
// selects it, and the next press works again.
using playtest::PlayStage;
using BuildingClick = PlayStage;

TEST_F(BuildingClick, APressedLotIsClickedAndSelected)
{
	ASSERT_TRUE(enterLevel()) << log.dump();
	GBuildingNode* first = nullptr;
	GBuildingNode* second = nullptr;
	for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
	{
		if (!first)
			first = building.get();
		else if (!second)
			second = building.get();
	}
	ASSERT_NE(first, nullptr);
	ASSERT_NE(second, nullptr);
	for (GBuildingNode* lot : {first, second, first})
	{
		ASSERT_TRUE(lot->click());
		EXPECT_TRUE(stepUntil(100, [&] { return level->getSelectedBuilding() == lot; }))
		    << getStringById(lot->getName()).c_str();
	}
}

// The first tutorial hint pauses the level and waits for any click: a lot clicked then counts as that click
// (the paused level animates nothing, so the press cannot wait for its look), and the lot takes later clicks.
TEST_F(BuildingClick, ALotClickedWhileTheTutorialPausesTheLevelIsNotStuck)
{
	player()->setBool(ProfileKey::ShowTutorialOn, true);
	player()->setBool(ProfileKey::ShowTipsOn, true);
	ASSERT_TRUE(enterLevel()) << log.dump();
	ASSERT_TRUE(level->isPaused());
	ASSERT_TRUE(level->getScheduler() && !level->getScheduler()->isEnabled());
	GBuildingNode* lot = level->getBuildings()[0].get();
	ASSERT_TRUE(lot->click());
	EXPECT_FALSE(lot->isClickPending());
	stepUntil(20, [] { return false; });
	EXPECT_TRUE(lot->click()) << "the lot takes the next click";
	EXPECT_FALSE(lot->isClickPending());
}
