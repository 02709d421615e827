#include "LevelFlowTestSupport.h"
#include "data/ProfileKeys.h"
#include "device/CLinuxDevice.h"
#include "nodes/ButtonNode.h"
#include "play/GHelpScene.h"
#include "play/GInGameMenuScene.h"
#include "play/GLevelCompletedScene.h"
#include "play/GLevelObjectivesScene.h"
#include "play/GLoadingLevelScene.h"
#include "scene/TabSceneNode.h"
#include "support/OnScreenTest.h"

#include <filesystem>
#include <functional>

// Last: it brings Xlib, whose macros clash with names in the headers above.
#include "../WindowedGameFixture.h"

// The screens around a level drawn by the game in an OpenGL window on the test display, checked where a
// player looks and kept as <build>/artifacts/<scene>.png.
namespace
{
using namespace levelflowtest;

using onscreen::Rgb;

bool isInk(const Rgb& c)
{
	return c.r + c.g + c.b < 300;
}
bool isCream(const Rgb& c)
{
	return c.r > 220 && c.g > 190 && c.b > 140 && c.r > c.b + 20;
}
bool isBlue(const Rgb& c)
{
	return c.b > c.r + 60;
}
bool isGold(const Rgb& c)
{
	return c.r > 180 && c.g > 120 && c.b < 110;
}
bool isGrey(const Rgb& c)
{
	return std::abs(c.r - c.g) < 24 && std::abs(c.g - c.b) < 24 && c.r > 90;
}

class LevelFlowScreenshots : public WindowedGameTest
{
protected:
	LevelFlowScreenshots() : WindowedGameTest(L"Level flow screenshot test") {}

	void SetUp() override
	{
		WindowedGameTest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		CProfileManager* profiles = CProfileManager::instance();
		while (profiles->getProfileCount() > 0)
			profiles->removeProfile(0);
		profiles->addProfile(L"Marieke");
		profiles->setActiveProfile(0);
		profiles->getActiveProfile()->setBool(ProfileKey::MusicOn, false);
	}

	void registerClasses() override
	{
		registerGameNodeClasses();
		registerStandIns();
	}
	// The popups are drawn over an empty scene: the play screen's own test draws that.
	SmartPointer<SceneNode> makeBaseScene() override { return SmartPointer<SceneNode>(new SceneNode()); }
};
} // namespace

TEST_F(LevelFlowScreenshots, EveryScreenAroundALevelIsLegible)
{
	SmartPointer<GLevelConfiguration> configuration = levelConfiguration(5, 420, 1600, 2400, 1, "%Level1_Description%");
	SmartPointer<GGameLevelScene> level = wonLevel(configuration.get(), 377000.0f, 2150.0f);

	// Loading: the plate over the map with the bar half filled.
	// Its steps are held back: the test sets the bar itself.
	SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(GLoadingLevelScene::FileName, false));
	auto* loading = nodeCast<GLoadingLevelScene>(loaded.get());
	ASSERT_NE(loading, nullptr);
	ASSERT_TRUE(top()->pushScene(loading, false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
	for (int i = 0; i < 100 && application->uiSceneManager->isInNavigation(loading); ++i)
		settle(1);
	loading->setScheduler(nullptr);
	BaseNode* bar = loading->findChild(internStringId("Scene"), 0)->findChild(internStringId("Progress"), 0);
	bar->setBounds({240, 28, 0});
	onscreen::WindowImage shot = shoot("LoadingLevelScene", 300, 340, isCream);
	EXPECT_GT(count(shot, 232, 318, 792, 354, isInk), 200) << "title";
	EXPECT_TRUE(isGold(at(shot, 400, 384))) << "filled part of the bar";
	EXPECT_FALSE(isGold(at(shot, 700, 384))) << "empty part of the bar";
	closeTop();

	// Goals of a later level: every target with its icon.
	CProfileManager::instance()->getActiveProfile()->setInt(ProfileKey::LevelIndex, 5);
	auto* objectives = open<GLevelObjectivesScene>(GLevelObjectivesScene::FileName,
	                                               [&](GLevelObjectivesScene* scene) { scene->setLevel(level.get()); });
	ASSERT_NE(objectives, nullptr);
	shot = shoot("LevelObjectivesScene", 260, 130, isCream);
	EXPECT_GT(count(shot, 222, 112, 802, 152, isInk), 150) << "level name";
	EXPECT_GT(count(shot, 266, 186, 758, 318, isInk), 300) << "description";
	EXPECT_TRUE(isGold(at(shot, 274 + 16, 528 + 16))) << "gold star";
	EXPECT_GT(count(shot, 318, 526, 760, 562, isInk), 100) << "expert score line";
	EXPECT_TRUE(isBlue(at(shot, 400, 648 + 26))) << "start button";
	closeTop();

	// The first level greets the player and asks only for the expert score.
	CProfileManager::instance()->getActiveProfile()->setInt(ProfileKey::LevelIndex, 0);
	open<GLevelObjectivesScene>(GLevelObjectivesScene::FileName,
	                            [&](GLevelObjectivesScene* scene) { scene->setLevel(level.get()); });
	shot = shoot("LevelObjectivesSceneFirstLevel", 260, 130, isCream);
	EXPECT_GT(count(shot, 262, 154, 762, 182, [](const Rgb& c) { return c.g > c.r + 30 && c.g > c.b + 10; }), 60)
	    << "welcome";
	closeTop();

	// Level won, the count finished.
	auto* completed = open<GLevelCompletedScene>(GLevelCompletedScene::FileName,
	                                             [&](GLevelCompletedScene* scene) { scene->setLevel(level.get()); });
	ASSERT_NE(completed, nullptr);
	settle(100);
	EXPECT_EQ(completed->getPhase(), GLevelCompletedScene::Idle);
	shot = shoot("LevelCompletedScene", 290, 300, isCream);
	EXPECT_TRUE(isGold(at(shot, 512, 120))) << "cup";
	EXPECT_GT(count(shot, 262 + 125, 120 + 283, 262 + 441, 120 + 317, isInk), 120) << "total";
	EXPECT_TRUE(isBlue(at(shot, 400, 120 + 520 - 70))) << "continue button";
	closeTop();

	// The pause menu: six buttons in a column.
	open<GInGameMenuScene>(GInGameMenuScene::FileName);
	shot = shoot("InGameMenuScene", 360, 140, isCream);
	for (int i = 0; i < 6; ++i)
		EXPECT_TRUE(isBlue(at(shot, 400, 118 + 80 + i * 70 + 10))) << "button " << i;
	EXPECT_GT(count(shot, 347, 138, 677, 182, isInk), 100) << "title";

	// Help over it, on its first page (back off) and on a later one.
	auto* help = open<GHelpScene>(GHelpScene::FileName);
	ASSERT_NE(help, nullptr);
	shot = shoot("HelpScene", 150, 120, isCream);
	EXPECT_GT(count(shot, 372, 260, 842, 480, isInk), 1000) << "page text";
	EXPECT_TRUE(isGrey(at(shot, 132 + 60, 104 + 560 - 70))) << "back disabled";
	EXPECT_TRUE(isBlue(at(shot, 132 + 760 - 180, 104 + 560 - 70))) << "next enabled";
	for (int page = 0; page < 3; ++page)
	{
		CEventNodeClicked next(help->getNextButton());
		help->onEvent(&next);
	}
	settle();
	shot = shoot("HelpScenePage4", 150, 120, isCream);
	EXPECT_TRUE(isBlue(at(shot, 132 + 60, 104 + 560 - 70))) << "back enabled";
	EXPECT_EQ(help->getPages()->getActiveTabIndex(), 3);
}
