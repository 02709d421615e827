#include "PlayTestSupport.h"
#include "audio/CSoundManager.h"
#include "content/ContentType.h"
#include "core/InputEvents.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "data/GAchievements.h"
#include "data/GEventPauseRequest.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelScores.h"
#include "data/IntList.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "nodes/TextNode.h"
#include "play/GInGameMenuScene.h"
#include "play/tutorial/GTutorial.h"
#include "scene/NodeEvents.h"

// The play screen over level 1 on the null driver: the level start, entering and being covered, the
// clock, focus loss, the developer keys and the scoring of a finished level.
namespace
{
using playtest::PlayStage;

class GamePlayScene : public PlayStage
{
protected:
	TextNode* hudText(const char* parent, const char* name) const
	{
		BaseNode* menu = play->findChild(internStringId("GameMenu"), 2);
		BaseNode* group = menu ? menu->findChild(internStringId(parent), 1) : nullptr;
		return group ? nodeCast<TextNode>(group->findChild(internStringId(name), 1)) : nullptr;
	}
	static CSoundManager* sounds() { return getDevice()->getSoundManager(); }
	TaskScheduler* levelScheduler() const { return level->getTaskScheduler(); }
	bool keyUp(int key, bool shift = false)
	{
		CEventInputKeyUp event(0, key, shift, false);
		return play->onEvent(&event);
	}
};

TEST_F(GamePlayScene, StartsTheLevelAndShowsItInsideThePlayScreen)
{
	ASSERT_TRUE(enterLevel()) << log.dump();

	// The level layer is the first child of the internal node, under the HUD, and the level is in it.
	BaseNode* internal = play->findChild(internStringId("InternalGamePlayScene"), 1);
	ASSERT_NE(internal, nullptr);
	ASSERT_FALSE(internal->getChildren().empty());
	EXPECT_EQ(internal->getChildren()[0], application->worldSceneManager);
	EXPECT_EQ(application->worldSceneManager->getTopScene(), level.get());

	// The level has its configuration, the level scores entry and the upgrade effects.
	const GLevelConfiguration* configuration = level->getLevelConfiguration();
	ASSERT_NE(configuration, nullptr);
	const GLevelScoreEntry entry =
	    application->levelScores->lookup(irr::core::stringc("level") + narrow(configuration->getName()).c_str());
	EXPECT_EQ(configuration->getLevelTime(), entry.time);
	EXPECT_NE(level->getUpgradeEffects(), nullptr);

	// The HUD reads the level.
	ASSERT_NE(hudText("MoneyNode", "MoneyText"), nullptr);
	EXPECT_EQ(hudText("MoneyNode", "MoneyText")->getText(),
	          irr::core::stringw(L"$") + formatThousands(static_cast<int>(level->money), L','));
	EXPECT_EQ(hudText("TimeNode", "TargetTimeText")->getText(),
	          formatMinutesSeconds(static_cast<unsigned>(configuration->getLevelTime()) * 1000));
	EXPECT_EQ(play->getMusicCue(), internStringId("GameMusicSetting1"));
	ASSERT_NE(levelScheduler(), nullptr);
	EXPECT_TRUE(levelScheduler()->isEnabled());

	// The objectives were shown, and once they closed the tutorial started.
	EXPECT_TRUE(play->areObjectivesShown());
	EXPECT_TRUE(play->isTutorialStarted());
}

TEST_F(GamePlayScene, TheTutorialStartsWithoutAnObjectivesScene)
{
	// The objectives scene file holds some other scene: nothing would come back to start the tutorial.
	CContentManager* content = application->contentManager;
	const ContentRef objectives(content, "scenes/LevelObjectivesScene.qscn");
	if (ContentObject* cached = content->findCachedContent(ContentTypeSceneNode, objectives))
		content->removeContent(cached);
	SmartPointer<SceneNode> stranger(new SceneNode());
	ASSERT_TRUE(content->addContentAs(objectives, stranger.get()));
	ASSERT_TRUE(startLevel());
	top()->pushScene(play.get(), false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo());
	ASSERT_TRUE(stepUntil(300, [&] { return play->isEntered() && play->getPendingAction() == 0; }));
	EXPECT_EQ(top(), play.get());
	EXPECT_TRUE(play->areObjectivesShown());
	EXPECT_TRUE(play->isTutorialStarted());
}

// Who sees the level's tutorial: the hints until the player has passed the tutorial level, the tips
// while they are on; either reads the level's "Tutorial.xml".
TEST_F(GamePlayScene, TheTutorialFollowsThePlayersChoices)
{
	struct Case
	{
		const char* name;
		bool tutorialOn, tipsOn;
		int tutorialLevel, levelIndex;
		bool developer, expectTutorial;
	};
	const Case cases[] = {
	    {"new player", true, true, -1, 0, false, true},
	    {"tutorial level passed, tips off", true, false, 3, 3, false, false},
	    {"tutorial level passed, developer", true, false, 3, 3, true, true},
	    {"only tips", false, true, 3, 3, false, true},
	    {"all off", false, false, -1, 0, false, false},
	};
	for (const Case& test : cases)
	{
		SCOPED_TRACE(test.name);
		player()->setBool(ProfileKey::ShowTutorialOn, test.tutorialOn);
		player()->setBool(ProfileKey::ShowTipsOn, test.tipsOn);
		player()->setInt(ProfileKey::ShowTutorialLevel, test.tutorialLevel);
		player()->setInt(ProfileKey::LevelIndex, test.levelIndex);
		gDeveloperMode = test.developer;
		ASSERT_TRUE(startLevel());
		EXPECT_EQ(play->getTutorial() != nullptr, test.expectTutorial);
	}
}

// A new player's tutorial starts after the objectives; skipping its hint turns the hints off for good.
TEST_F(GamePlayScene, SkippingTheTutorialTurnsItOffAndTheLevelGoesOn)
{
	player()->setBool(ProfileKey::ShowTutorialOn, true);
	player()->setInt(ProfileKey::ShowTutorialLevel, -1);
	ASSERT_TRUE(enterLevel());
	GTutorial* tutorial = play->getTutorial();
	ASSERT_NE(tutorial, nullptr);
	ASSERT_NE(tutorial->getWindow(), nullptr);
	EXPECT_TRUE(tutorial->getWindow()->isVisible());
	BaseNode* skip = tutorial->getWindow()->findChild(internStringId("SkipTutorialButton"), 2);
	ASSERT_NE(skip, nullptr);
	CEventNodeClicked pressed(skip);
	play->onEvent(&pressed);
	EXPECT_FALSE(player()->getBool(ProfileKey::ShowTutorialOn));
	EXPECT_FALSE(level->isPaused());
}

TEST_F(GamePlayScene, ALevelWithoutConfigurationDoesNotStart)
{
	CContentManager* content = application->contentManager;
	play =
	    SmartPointer<GGamePlayScene>(nodeCast<GGamePlayScene>(content->getSceneNode(GGamePlayScene::FileName, false)));
	level = SmartPointer<GGameLevelScene>(
	    nodeCast<GGameLevelScene>(content->getSceneNode("levels/level1/Level.qscn", false)));
	ASSERT_TRUE(play && level);
	EXPECT_FALSE(play->startLevel("levels/nowhere/", level.get()));
	EXPECT_TRUE(log.contains("Unable to find configuration for the level")) << log.dump();
	EXPECT_EQ(play->getLevelScene(), nullptr);
	EXPECT_EQ(level->getLevelConfiguration(), nullptr);
	EXPECT_FALSE(play->startLevel("", level.get()));
	EXPECT_FALSE(play->startLevel("levels/level1/", nullptr));
}

TEST_F(GamePlayScene, ACoveringSceneStopsTheLevelAndTheScreensUpdate)
{
	ASSERT_TRUE(enterLevel());
	SmartPointer<SceneNode> cover(new SceneNode());
	cover->setBounds({1024, 768, 0});
	ASSERT_TRUE(play->pushScene(cover.get(), false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
	ASSERT_TRUE(stepUntil(100, [&] { return top() == cover.get() && settled(); }));
	EXPECT_FALSE(levelScheduler()->isEnabled());
	EXPECT_TRUE(sounds()->getGroupSettings(2).paused);
	EXPECT_FALSE(play->isEntered());

	// Covered, the clock does not move, whatever the level's time says.
	TextNode* time = hudText("TimeNode", "TimeText");
	const irr::core::stringw shown = time->getText();
	level->elapsedTime += 65000.0f;
	play->update(20);
	EXPECT_EQ(time->getText(), shown);

	// Uncovered, the level runs again and the clock catches up.
	ASSERT_TRUE(cover->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo()));
	ASSERT_TRUE(stepUntil(100, [&] { return play->isEntered(); }));
	EXPECT_TRUE(levelScheduler()->isEnabled());
	EXPECT_FALSE(sounds()->getGroupSettings(2).paused);
	play->update(0);
	EXPECT_EQ(time->getText(), formatMinutesSeconds(static_cast<unsigned>(level->elapsedTime)));
}

// The clock's phases over a run of elapsed times: each entered once, never back to the alarm.
TEST_F(GamePlayScene, TheClockEntersEachPhaseOnce)
{
	ASSERT_TRUE(enterLevel());
	using Phase = GGamePlayScene::ClockPhase;
	struct Case
	{
		const char* name;
		int levelTime;
		std::vector<float> elapsed;
		std::vector<Phase> phases;
	};
	const Case cases[] = {
	    {"two minutes",
	     120,
	     {0, 104000, 106000, 110000, 120000, 120600, 121000, 130000},
	     {Phase::Running, Phase::Running, Phase::AlmostEnd, Phase::AlmostEnd, Phase::AlmostEnd, Phase::TimeOver,
	      Phase::TimeOver, Phase::TimeOver}},
	    {"no time limit", 0, {0, 1000, 500000}, {Phase::Running, Phase::Running, Phase::Running}},
	    {"negative time", -5, {0, 1000}, {Phase::Running, Phase::Running}},
	};
	GLevelConfiguration* configuration = level->getLevelConfiguration();
	for (const Case& test : cases)
	{
		SCOPED_TRACE(test.name);
		ASSERT_TRUE(enterLevel());
		configuration = level->getLevelConfiguration();
		configuration->setLevelTime(test.levelTime);
		std::vector<Phase> seen;
		for (float e : test.elapsed)
		{
			level->elapsedTime = e;
			play->update(20);
			seen.push_back(play->getClockPhase());
		}
		EXPECT_EQ(seen, test.phases);
	}
}

// Focus loss opens the in-game menu over a paused level; closing the menu gives the level back its
// clock, unless a tutorial hint had paused it before, whose pause stays.
TEST_F(GamePlayScene, LosingTheFocusPausesTheLevelUntilTheMenuCloses)
{
	for (bool pausedBefore : {false, true})
	{
		SCOPED_TRACE(pausedBefore ? "paused by a hint before" : "running before");
		ASSERT_TRUE(enterLevel());
		if (pausedBefore)
		{
			GEventPauseRequest hint(true);
			level->onEvent(&hint);
		}
		for (int i = 0; i < 10; ++i)
			step();
		const float dayTime = level->dayTime;
		CEventSystemFlowWindowActivate lost(false);
		play->onEvent(&lost);
		EXPECT_TRUE(level->isPaused());
		EXPECT_TRUE(sounds()->getGroupSettings(2).paused);
		ASSERT_TRUE(stepUntil(300, [&] { return nodeCast<GInGameMenuScene>(top()) && settled(); }));

		// Focus back while the menu is open: the level waits for the player.
		CEventSystemFlowWindowActivate back(true);
		play->onEvent(&back);
		for (int i = 0; i < 10; ++i)
			step();
		EXPECT_TRUE(level->isPaused());
		EXPECT_EQ(level->dayTime, dayTime);

		top()->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo());
		ASSERT_TRUE(stepUntil(300, [&] { return play->isEntered() && top() == play.get(); }));
		EXPECT_EQ(level->isPaused(), pausedBefore);
		EXPECT_FALSE(play->isFocusPaused());
		EXPECT_TRUE(levelScheduler()->isEnabled() || pausedBefore);
		for (int i = 0; i < 25; ++i)
			step();
		if (pausedBefore)
			EXPECT_EQ(level->dayTime, dayTime);
		else
			EXPECT_GT(level->dayTime, dayTime) << "the day clock runs again";
		if (pausedBefore)
		{
			GEventPauseRequest resume(false);
			level->onEvent(&resume);
		}
	}
}

TEST_F(GamePlayScene, DeveloperKeysChangeTheStockAndTheHudFollows)
{
	ASSERT_TRUE(enterLevel());
	EXPECT_FALSE(keyUp(107)) << "without the developer mode the keys do nothing";
	gDeveloperMode = true;
	const float money = level->money;
	EXPECT_TRUE(keyUp(107));
	EXPECT_EQ(level->money, money + 100000.0f);
	EXPECT_EQ(hudText("MoneyNode", "MoneyText")->getText(),
	          irr::core::stringw(L"$") + formatThousands(static_cast<int>(level->money), L','));
	EXPECT_TRUE(keyUp(189));
	EXPECT_EQ(level->money, money);
	level->freeWorkers = 3;
	level->totalWorkers = 3;
	EXPECT_TRUE(keyUp(111));
	BaseNode* menu = play->findChild(internStringId("GameMenu"), 2);
	auto* workers = nodeCast<TextNode>(menu->findChild(internStringId("WorkersAmountTabText"), 1));
	ASSERT_NE(workers, nullptr);
	EXPECT_EQ(workers->getText(), L"4/3");
	EXPECT_FALSE(keyUp(70));
}

// Finishing the level: the score by the time taken, the profile's lists and the score gain.
TEST_F(GamePlayScene, AFinishedLevelIsScoredIntoTheProfile)
{
	struct Case
	{
		const char* name;
		int levelIndex;
		const char* scoresBefore;
		float elapsed;
		bool normalOnly;
		const char* scoresAfter;
		int gain;
	};
	const Case cases[] = {
	    {"expert in time", 0, "", 120000.0f, false, "expert", -1},
	    {"one ms late", 0, "", 360001.0f, false, "normal", -1},
	    {"shift keeps the normal score", 0, "", 1000.0f, true, "normal", -1},
	    {"new best of a later level", 3, "100;0", 0.0f, true, "100;0;0;250", 250},
	    {"worse replay", 3, "100;0;0;250", 0.0f, true, "100;0;0;250", 0},
	};
	for (const Case& test : cases)
	{
		SCOPED_TRACE(test.name);
		ASSERT_TRUE(enterLevel());
		GLevelConfiguration* configuration = level->getLevelConfiguration();
		configuration->setLevelTime(360);
		configuration->setScore(test.gain < 0 ? 1000 : 250);
		configuration->setExpertScore(test.gain < 0 ? 1500 : 300);
		player()->setInt(ProfileKey::LevelIndex, test.levelIndex);
		player()->setInt(ProfileKey::MaxUnlockedLevelIndex, test.levelIndex);
		player()->setString(ProfileKey::Scores, test.scoresBefore);
		player()->setString(ProfileKey::Times, "");
		level->elapsedTime = test.elapsed;
		level->scoreGain = 0.0f;
		EXPECT_TRUE(play->onLevelCompleted(test.normalOnly));
		irr::core::stringc expected(test.scoresAfter);
		if (expected == "expert")
			expected = "1500";
		else if (expected == "normal")
			expected = "1000";
		EXPECT_EQ(player()->getString(ProfileKey::Scores), expected);
		if (test.gain >= 0)
			EXPECT_EQ(level->scoreGain, static_cast<float>(test.gain));
		const irr::core::array<irr::s32> times = parseIntList(player()->getString(ProfileKey::Times));
		ASSERT_EQ(times.size(), static_cast<irr::u32>(test.levelIndex) + 1);
		EXPECT_EQ(times[test.levelIndex], static_cast<irr::s32>(test.elapsed));
	}
}

TEST_F(GamePlayScene, TheNewestLevelUnlocksTheNextOneAndAReplayDoesNot)
{
	ASSERT_TRUE(enterLevel());
	player()->setInt(ProfileKey::MaxUnlockedLevelIndex, 4);
	player()->setInt(ProfileKey::LevelIndex, 5);
	play->onLevelCompleted(false);
	EXPECT_EQ(player()->getInt(ProfileKey::MaxUnlockedLevelIndex), 5);
	EXPECT_EQ(player()->getInt(ProfileKey::LevelIndex), 6);

	ASSERT_TRUE(enterLevel());
	player()->setInt(ProfileKey::LevelIndex, 2);
	play->onLevelCompleted(false);
	EXPECT_EQ(player()->getInt(ProfileKey::MaxUnlockedLevelIndex), 5);
	EXPECT_EQ(player()->getInt(ProfileKey::LevelIndex), 2);
}

// Two achievements earned by one completion are shown one after the other.
TEST_F(GamePlayScene, AchievementsOfACompletionPopUpOneAfterTheOther)
{
	ASSERT_TRUE(enterLevel());
	GAchievements* tracker = application->achievements.get();
	tracker->reset();
	for (int index : {10, 11})
		tracker->update(index, tracker->getThreshold(index) - 1);
	player()->setString(ProfileKey::Scores, "");
	level->elapsedTime = 1000.0f;
	level->scoreGain = 0.0f;
	play->onLevelCompleted(false);
	ASSERT_TRUE(stepUntil(100, [&] { return nodeCast<GAchievementUnlockedScene>(top()) && settled(); }));
	EXPECT_EQ(play->getAchievementQueue().size(), 1u);
	SceneNode* first = top();

	// Closing the first popup brings the second.
	ASSERT_TRUE(first->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo()));
	ASSERT_TRUE(
	    stepUntil(200, [&] { return top() != first && nodeCast<GAchievementUnlockedScene>(top()) && settled(); }));
	EXPECT_TRUE(play->getAchievementQueue().empty());
}
} // namespace
