#include "LevelFlowTestSupport.h"
#include "audio/CSoundManager.h"
#include "audio/SoundPack.h"
#include "core/TaskScheduler.h"
#include "data/GComicsConfiguration.h"
#include "data/ProfileKeys.h"
#include "frontend/GCreditsScene.h"
#include "frontend/GMapScene.h"
#include "frontend/GOptionsScene.h"
#include "frontend/GQuitConfirmationScene.h"
#include "nodes/ButtonNode.h"
#include "play/GGamePlayScene.h"
#include "play/GHelpScene.h"
#include "play/GInGameMenuScene.h"
#include "play/GLevelCompletedScene.h"
#include "play/GLevelObjectivesScene.h"
#include "scene/TabSceneNode.h"

// The popups around a level (goals, level won, pause menu, help) loaded from their scene files and
// driven by hand over stand-ins for the map, the loading scene and the play screen.
namespace
{
using namespace frontendtest;
using namespace levelflowtest;

class LevelFlowScenes : public FrontendStage
{
protected:
	void SetUp() override
	{
		FrontendStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		registerStandIns();
		usePlayers({L"Ada"}, 0);
	}

	void TearDown() override
	{
		if (application)
			application->comicsConfiguration = nullptr;
		FrontendStage::TearDown();
	}

	static CProfile* player() { return CProfileManager::instance()->getActiveProfile(); }

	// The scenes a level is played over, bottom to top: the main menu, the map, the loading scene and
	// the play screen (stand-ins that record what they are told, and a play screen without a level).
	void buildLevelStack()
	{
		showCovered(new CoveredMainMenu());
		for (const char* name : {"Map", "Loading"})
		{
			SmartPointer<CoveredScene> scene(new CoveredScene());
			scene->setName(name);
			scene->setBounds({1024, 768, 0});
			ASSERT_TRUE(top()->pushScene(scene.get(), false));
			settle();
		}
		playScreen = SmartPointer<GGamePlayScene>(new GGamePlayScene());
		playScreen->setBounds({1024, 768, 0});
		ASSERT_TRUE(top()->pushScene(playScreen.get(), false));
		settle();
		// Entered for the first time, the play screen shows the goals over itself: they are read.
		if (nodeCast<GLevelObjectivesScene>(top()))
		{
			top()->closeTo(0);
			settle();
		}
		ASSERT_EQ(top(), playScreen.get());
	}

	const char* topName() const { return top() ? getStringById(top()->getName()).c_str() : "(none)"; }

	// A popup of the class loaded from its file and given the level, pushed over the top scene.
	template <class T> T* openWithLevel(const char* fileName, GGameLevelScene* level)
	{
		SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(fileName, false));
		T* popup = nodeCast<T>(loaded.get());
		EXPECT_NE(popup, nullptr) << fileName;
		if (!popup)
			return nullptr;
		popup->setLevel(level);
		EXPECT_TRUE(top()->pushScene(popup, true, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		settle();
		return popup;
	}

	static BaseNode* child(BaseNode* scene, const char* name)
	{
		return scene->findChild(internStringId("Scene"), 0)->findChild(internStringId(name), 0);
	}

	// Registers the game's sound cues; false when no audio output could be opened.
	bool withSounds()
	{
		CSoundManager* sounds = getDevice()->getSoundManager();
		if (!sounds || !getDevice()->getAudioDevice())
			return false;
		soundPack = SmartPointer<ContentObject>(
		    application->contentManager->getContent(ContentTypeSoundPack, "sounds/SoundPack.xml", false));
		auto* pack = dynamic_cast<SoundPack*>(soundPack.get());
		if (!pack)
			return false;
		pack->registerCues(sounds);
		return true;
	}

	SmartPointer<GGamePlayScene> playScreen;
	SmartPointer<ContentObject> soundPack;
};

// ---- goals

TEST_F(LevelFlowScenes, ObjectivesGreetTheNewPlayerAndShowTheTargetsTheirProgressCallsFor)
{
	SmartPointer<GLevelConfiguration> configuration = levelConfiguration(4, 150, 90000, 125000);
	SmartPointer<GGameLevelScene> level = wonLevel(configuration.get());
	struct Case
	{
		int levelIndex;
		const char* welcome;
		bool allTargets;
		int closeKey; // 0: the OK button
	};
	for (const Case& c : {Case{0, "Welcome, Ada!", false, 0}, Case{1, "(hidden)", false, 27},
	                      Case{2, "(hidden)", false, 13}, Case{3, "(hidden)", true, 0}})
	{
		SCOPED_TRACE("level index " + std::to_string(c.levelIndex));
		player()->setInt(ProfileKey::LevelIndex, c.levelIndex);
		auto* popup = openWithLevel<GLevelObjectivesScene>(GLevelObjectivesScene::FileName, level.get());
		ASSERT_NE(popup, nullptr);
		EXPECT_EQ(shown(popup->getLevelText()), "Level 4");
		EXPECT_EQ(shown(popup->getWelcomeText()), c.welcome);
		EXPECT_EQ(shown(popup->getInfoText()), "Open three campsites by the quay.");
		EXPECT_EQ(shown(popup->getExpertScoreText()), "- Expert score: 125,000 points");
		EXPECT_TRUE(popup->getGoldStar()->isVisible());
		EXPECT_EQ(shown(popup->getExpertTimeText()), c.allTargets ? "- Expert time: finish within 02:30" : "(hidden)");
		EXPECT_EQ(shown(popup->getScoreText()), c.allTargets ? "- Score: 90,000 points" : "(hidden)");
		EXPECT_EQ(popup->getClock()->isVisible(), c.allTargets);
		EXPECT_EQ(popup->getSilverStar()->isVisible(), c.allTargets);

		if (c.closeKey)
			EXPECT_TRUE(keyUp(popup, c.closeKey));
		else
			EXPECT_TRUE(press(popup, child(popup, "OkButton")));
		settle();
		EXPECT_EQ(top(), covered.get());
	}
}

TEST_F(LevelFlowScenes, ObjectivesStartTheLevelMusicAfterTwoSecondsOverThePlayScreenOnly)
{
	if (!withSounds())
		GTEST_SKIP() << "no audio output";
	player()->setBool(ProfileKey::MusicOn, true);
	SmartPointer<GLevelConfiguration> configuration = levelConfiguration(4, 150, 90000, 125000, 3);
	SmartPointer<GGameLevelScene> level = wonLevel(configuration.get());
	CSoundManager* sounds = getDevice()->getSoundManager();

	// Over another scene the popup never plays the level's music.
	auto* popup = openWithLevel<GLevelObjectivesScene>(GLevelObjectivesScene::FileName, level.get());
	ASSERT_NE(popup, nullptr);
	settle(150);
	for (int setting = 1; setting <= 4; ++setting)
		EXPECT_FALSE(sounds->isCuePlaying(internStringId(("GameMusicSetting" + std::to_string(setting)).c_str())));
	press(popup, child(popup, "OkButton"));
	settle();

	// Over the play screen, left open, it starts the play screen's tune once two seconds have passed.
	buildLevelStack();
	const StringId music = playScreen->getMusicCue();
	ASSERT_FALSE(music.isEmpty());
	popup = openWithLevel<GLevelObjectivesScene>(GLevelObjectivesScene::FileName, level.get());
	ASSERT_NE(popup, nullptr);
	EXPECT_FALSE(sounds->isCuePlaying(music));
	settle(80);
	EXPECT_TRUE(sounds->isCuePlaying(music));
	sounds->stopGroup(1);
	press(popup, child(popup, "OkButton"));
	settle();

	// Closed within two seconds, it leaves the music to the play screen.
	popup = openWithLevel<GLevelObjectivesScene>(GLevelObjectivesScene::FileName, level.get());
	ASSERT_NE(popup, nullptr);
	press(popup, child(popup, "OkButton"));
	settle(10);
	EXPECT_EQ(top(), playScreen.get());
	EXPECT_FALSE(sounds->isCuePlaying(music));
	sounds->stopGroup(1);
}

// ---- level won

TEST_F(LevelFlowScenes, LevelCompletedShowsTheRowsOfTheLevelAndSplitsTheGainIntoScoreAndBonus)
{
	struct Case
	{
		const char* name;
		int number;
		float gain;
		const char* completion;
		const char* bonus;
		bool timeRows;
		bool scoreRows;
	};
	const Case cases[] = {
	    {"a later level", 5, 1800.0f, "- Level score: 1,000", "- Bonus: 800", true, true},
	    {"a replay below the score", 5, 600.0f, "- Level score: 0", "- Bonus: 600", true, true},
	    {"one of the first levels", 2, 1000.0f, "- Level score: 1,000", "- Bonus: 0", false, true},
	    {"the last level", 28, 1800.0f, "- Level score: 1,000", "- Bonus: 800", true, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		SmartPointer<GLevelConfiguration> configuration = levelConfiguration(c.number, 300, 1000, 1500);
		SmartPointer<GGameLevelScene> level = wonLevel(configuration.get(), 250000.0f, c.gain);
		auto* popup = openWithLevel<GLevelCompletedScene>(GLevelCompletedScene::FileName, level.get());
		ASSERT_NE(popup, nullptr);
		EXPECT_EQ(narrow(popup->getCompletionScoreText()->getText()).c_str(), std::string(c.completion));
		EXPECT_EQ(narrow(popup->getBonusText()->getText()).c_str(), std::string(c.bonus));
		EXPECT_EQ(narrow(popup->getExpertTimeText()->getText()).c_str(), std::string("- Expert time: 05:00"));
		EXPECT_EQ(narrow(popup->getTimeText()->getText()).c_str(), std::string("- Your time: 04:10"));
		EXPECT_EQ(shown(popup->getDoneText()), "Well done, Ada! The city is proud of you.");
		EXPECT_EQ(popup->getExpertTimeRow()->isVisible(), c.timeRows);
		EXPECT_EQ(popup->getTimeRow()->isVisible(), c.timeRows);
		for (BaseNode* row : {popup->getCompletionScoreRow(), popup->getExpertScoreRow(), popup->getScoreRow()})
			EXPECT_EQ(row->isVisible(), c.scoreRows);
		if (c.number == 2)
		{
			EXPECT_EQ(popup->getCompletionScoreRow()->getPosition(), irr::core::vector3df(81, 126, 1));
			EXPECT_EQ(popup->getExpertScoreRow()->getPosition(), irr::core::vector3df(81, 162, 1));
			EXPECT_EQ(popup->getScoreRow()->getPosition(), irr::core::vector3df(81, 283, 1));
		}
		if (c.number == 28)
		{
			EXPECT_EQ(popup->getExpertTimeRow()->getPosition(), irr::core::vector3df(80, 145, 1));
			EXPECT_EQ(popup->getTimeRow()->getPosition(), irr::core::vector3df(80, 283, 1));
		}
		popup->closeTo(0);
		settle();
	}
}

TEST_F(LevelFlowScenes, LevelCompletedCountsTheTotalUpWhileTheTimesStay)
{
	SmartPointer<GLevelConfiguration> configuration = levelConfiguration(5, 300, 1000, 1500);
	SmartPointer<GGameLevelScene> level = wonLevel(configuration.get(), 250000.0f, 1800.0f);
	SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(GLevelCompletedScene::FileName, false));
	auto* popup = nodeCast<GLevelCompletedScene>(loaded.get());
	ASSERT_NE(popup, nullptr);
	popup->setLevel(level.get());
	CEventNodeSceneChangeStarted entered(nullptr, popup, 0);
	popup->onEvent(&entered);
	EXPECT_EQ(narrow(popup->getScoreText()->getText()).c_str(), std::string("- Total score: 0"));

	// 100 ms of delay, then three quarters of the target a second: reached after 1.33 s.
	std::vector<std::string> totals;
	for (int t = 0; t < 1500 && popup->getPhase() != GLevelCompletedScene::Idle; t += 30)
	{
		popup->update(30);
		totals.push_back(narrow(popup->getScoreText()->getText()).c_str());
	}
	EXPECT_EQ(popup->getPhase(), GLevelCompletedScene::Idle);
	EXPECT_EQ(totals.back(), "- Total score: 1,800");
	EXPECT_GT(totals.size(), 45u);
	EXPECT_LT(totals.size(), 52u);
	EXPECT_EQ(totals[totals.size() / 2].find("- Total score: 8"), 0u) << totals[totals.size() / 2];
	EXPECT_EQ(narrow(popup->getTimeText()->getText()).c_str(), std::string("- Your time: 04:10"));
}

TEST_F(LevelFlowScenes, LevelCompletedLeavesTheLevelForTheRightScene)
{
	SmartPointer<GComicsConfiguration> comics(new GComicsConfiguration());
	const std::string comicsXml = "<ComicsConfiguration><Comics><Level Value=\"3\"/><ScenePath "
	                              "Value=\"scenes/CreditsScene.qscn\"/></Comics></ComicsConfiguration>";
	SmartPointer<CXMLReader> reader(new CXMLReader(comicsXml.data(), comicsXml.size()));
	comics->load(reader.get());

	struct Case
	{
		const char* name;
		int number;
		int levelIndex;
		int maxUnlocked;
		bool finalCredits;
		int presses;
		const char* expectedTop;
	};
	const Case cases[] = {
	    {"a replay returns to the map", 5, 2, 9, false, 1, "Map"},
	    {"a second press changes nothing", 5, 2, 9, false, 2, "Map"},
	    {"the first level opens the map", 1, 1, 1, false, 1, "MapScene"},
	    {"a newly reached location shows its comic", 3, 3, 3, false, 1, "CreditsScene"},
	    {"the last level shows the final credits once", 28, 30, 30, true, 1, "Covered"},
	    {"after them the last level is like any other", 28, 29, 30, false, 1, "Map"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		application->comicsConfiguration = comics;
		buildLevelStack();
		SmartPointer<SceneNode> levelLayer(new CoveredScene());
		ASSERT_TRUE(application->worldSceneManager->showScene(levelLayer.get()));
		application->worldScheduler->setEnabled(false);
		player()->setInt(ProfileKey::LevelIndex, c.levelIndex);
		player()->setInt(ProfileKey::MaxUnlockedLevelIndex, c.maxUnlocked);
		player()->setBool(ProfileKey::ShowFinalCredits, c.finalCredits);

		SmartPointer<GLevelConfiguration> configuration = levelConfiguration(c.number, 300, 1000, 1500);
		SmartPointer<GGameLevelScene> level = wonLevel(configuration.get(), 250000.0f, 1800.0f);
		auto* popup = openWithLevel<GLevelCompletedScene>(GLevelCompletedScene::FileName, level.get());
		ASSERT_NE(popup, nullptr);
		for (int i = 0; i < c.presses; ++i)
			EXPECT_TRUE(i % 2 == 0 ? press(popup, child(popup, "OkButton")) : keyUp(popup, 13));
		settle(80);
		EXPECT_STREQ(topName(), c.expectedTop);
		EXPECT_EQ(application->worldSceneManager->getTopScene(), nullptr);
		EXPECT_TRUE(application->worldScheduler->isEnabled());
		EXPECT_FALSE(player()->getBool(ProfileKey::ShowFinalCredits));
		application->worldSceneManager->showScene(nullptr);
	}
	EXPECT_FALSE(reloadedProfiles()->getProfile(0)->getBool(ProfileKey::ShowFinalCredits));
}

// ---- pause menu

TEST_F(LevelFlowScenes, InGameMenuButtonsLeadWhereTheyName)
{
	struct Case
	{
		const char* button; // null: the Esc key
		const char* expectedTop;
		bool menuStaysBelow;
		bool levelLayerEmptied;
	};
	const Case cases[] = {
	    {"ResumeButton", "(play screen)", false, false},
	    {nullptr, "(play screen)", false, false},
	    {"RestartButton", "Loading", false, true},
	    {"MainMenuButton", "Covered", false, true},
	    {"OptionsButton", "OptionsScene", true, false},
	    {"HelpButton", "HelpScene", true, false},
	    {"ExitGameButton", "QuitConfirmationScene", true, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.button ? c.button : "Esc");
		buildLevelStack();
		playScreen->setName("(play screen)");
		SmartPointer<SceneNode> levelLayer(new CoveredScene());
		ASSERT_TRUE(application->worldSceneManager->showScene(levelLayer.get()));
		auto* menu = open<GInGameMenuScene>(GInGameMenuScene::FileName);
		ASSERT_NE(menu, nullptr);
		if (c.button)
			EXPECT_TRUE(press(menu, child(menu, c.button)));
		else
			EXPECT_TRUE(keyUp(menu, 27));
		settle(60);
		EXPECT_STREQ(topName(), c.expectedTop);
		EXPECT_EQ(application->worldSceneManager->getTopScene() == nullptr, c.levelLayerEmptied);
		if (c.menuStaysBelow)
		{
			EXPECT_EQ(top()->getSceneBelow(), menu);
			// Back from the screen over it, the menu is open as it was.
			top()->closeTo(0);
			settle();
			EXPECT_EQ(top(), menu);
		}
		application->worldSceneManager->showScene(nullptr);
	}
}

// ---- help

TEST_F(LevelFlowScenes, HelpTurnsItsPagesWithBackAndNext)
{
	auto* help = open<GHelpScene>(GHelpScene::FileName);
	ASSERT_NE(help, nullptr);
	ASSERT_NE(help->getPages(), nullptr);
	ButtonNode* back = help->getBackButton();
	ButtonNode* next = help->getNextButton();
	ASSERT_TRUE(back && next);
	const int pages = help->getPages()->getTabsCount();
	EXPECT_EQ(pages, 8);

	// Walked forwards to the last page and back again: "index back next" after each press.
	auto state = [&]
	{
		return std::to_string(help->getPages()->getActiveTabIndex()) + (back->isEnabled() ? " back" : " -") +
		       (next->isEnabled() ? " next" : " -");
	};
	EXPECT_EQ(state(), "0 - next");
	std::vector<std::string> walk;
	for (int i = 0; i < pages; ++i)
	{
		EXPECT_FALSE(press(help, next));
		settle(10);
		walk.push_back(state());
	}
	EXPECT_EQ(walk.front(), "1 back next");
	EXPECT_EQ(walk[pages - 2], "7 back -");
	EXPECT_EQ(walk.back(), "7 back -") << "next on the last page stays there";
	press(help, back);
	settle(10);
	EXPECT_EQ(state(), "6 back next");

	// A single page: the first click anywhere leaves neither button enabled.
	help->getPages()->setActiveTab(0, true);
	help->getPages()->setTabsCount(1);
	press(help, help->getPages());
	EXPECT_EQ(state(), "0 - -");
}

TEST_F(LevelFlowScenes, HelpClosesWithItsButtonEscOrEnter)
{
	for (int key : {0, 27, 13})
	{
		SCOPED_TRACE(key);
		auto* help = open<GHelpScene>(GHelpScene::FileName);
		ASSERT_NE(help, nullptr);
		if (key)
			EXPECT_TRUE(keyUp(help, key));
		else
			EXPECT_TRUE(press(help, child(help, "CloseButton")));
		settle();
		EXPECT_EQ(top(), covered.get());
	}
}
} // namespace
