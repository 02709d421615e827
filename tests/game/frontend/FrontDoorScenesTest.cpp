#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "frontend/GIntroScene.h"
#include "frontend/GLogosScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "scene/NodeEvents.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// The front-door scenes driven by hand, without the application, a window or content.

TEST(GMapSceneLocations, LevelNumbersMapToLocationsSkippingTheMiniGames)
{
	struct Case
	{
		int level;
		int location;
	};
	const Case cases[] = {{1, 0},   {7, 6},   {8, 8},  {14, 14}, {15, 16}, {21, 22},
	                      {22, 24}, {28, 30}, {0, -1}, {-6, -1}, {29, -1}, {100, -1}};
	for (const Case& c : cases)
		EXPECT_EQ(GMapScene::locationOfLevel(c.level, 32), c.location) << c.level;
	// Every level has its own location and none is a mini-game.
	for (int level = 1; level <= 28; ++level)
		EXPECT_FALSE(GMapScene::isMiniGameLocation(GMapScene::locationOfLevel(level, 32))) << level;
	for (int index : {7, 15, 23, 31})
		EXPECT_TRUE(GMapScene::isMiniGameLocation(index)) << index;
}

TEST(GMapSceneLocations, AMissingLocationSelectsWithoutOpeningAnything)
{
	// Without a profile, a scene manager or a play button a click still moves the selection.
	SmartPointer<GMapScene> map(new GMapScene());
	SmartPointer<GMapLocationButton> button(new GMapLocationButton());
	button->setAssociatedLevelName("level3");
	CEventNodeClicked click(button.get());
	EXPECT_TRUE(map->onEvent(&click));
	EXPECT_EQ(map->getSelectedLocation(), button.get());
	CEventNodeClicked play(nullptr);
	EXPECT_FALSE(map->onEvent(&play));
}

TEST(GMapLocationButtonLooks, WithoutTemplatePartsEveryLookIsSkipped)
{
	SmartPointer<GMapLocationButton> button(new GMapLocationButton());
	button->setEnabled(false);
	button->setUpgradesBoughtPlatform(false);
	button->setMiniGamePlatform(true);
	button->setRankStar(2);
	button->startWave(0.4f);
	button->setSelected(true);
	EXPECT_FALSE(button->isEnabled());
	EXPECT_EQ(button->getStar(), nullptr);

	// The level name is copied with the button and written only when there is one.
	button->setAssociatedLevelName("level5");
	SmartPointer<BaseNode> copy(button->clone());
	ASSERT_NE(nodeCast<GMapLocationButton>(copy.get()), nullptr);
	EXPECT_EQ(nodeCast<GMapLocationButton>(copy.get())->getAssociatedLevelName(), irr::core::stringc("level5"));
	CPropertyCollection empty;
	SmartPointer<GMapLocationButton> unnamed(new GMapLocationButton());
	unnamed->writeProperties(empty);
	EXPECT_TRUE(empty.getString("AssociatedLevelName").empty());
}

TEST(GIntroSceneProgress, TheBarNeverOutrunsTheStepsNorGoesBackAndIsFullWhenTheyAreDone)
{
	SmartPointer<GIntroScene> intro(new GIntroScene());
	intro->onLoaded();
	EXPECT_EQ(intro->getTotal(), 160.0f);
	int calls = 0;
	float previous = 0.0f;
	while (!intro->isLoadingDone() && calls < 5000)
	{
		const int parts = intro->getPartCount();
		intro->updateTime(30);
		++calls;
		// While its files are still read ahead, time passes as in the frame loop.
		if (intro->getPartCount() == parts)
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		EXPECT_LE(intro->getDisplayed(), intro->getTarget());
		EXPECT_GE(intro->getDisplayed(), previous);
		previous = intro->getDisplayed();
	}
	EXPECT_EQ(intro->getStepIndex(), GIntroScene::StepCount);
	// No catch-up wait: the bar is full on the update that finishes the last step.
	EXPECT_EQ(intro->getDisplayed(), intro->getTotal());
	// Without a scene manager the main menu cannot open; the intro keeps waiting, unharmed.
	intro->updateTime(60);
	EXPECT_EQ(intro->getDisplayed(), intro->getTotal());
}

TEST(GLogosSceneInput, AClickSkipsOnlyASkippableLogoAndNeverReachesTheChildren)
{
	SmartPointer<GLogosScene> logos(new GLogosScene());
	SmartPointer<CEventInputMouseLeftDown> click(new CEventInputMouseLeftDown(10, 10));
	EXPECT_TRUE(logos->sendToChildren(0, click.get()));
	EXPECT_FALSE(logos->isSkippable());
	// No logo list: the scene waits its final second and then asks for the intro.
	EXPECT_TRUE(logos->updateTime(10));
	EXPECT_TRUE(logos->isFinished());
	EXPECT_EQ(logos->getRemaining(), GLogosScene::FinalFadeTime);
	EXPECT_TRUE(logos->updateTime(500));
	EXPECT_FALSE(logos->updateTime(600));
}
