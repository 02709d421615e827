#include "MiniGameTestSupport.h"
#include "core/TextUtils.h"
#include "minigames/GMiniCompletedScene.h"
#include "minigames/GMiniGameHiddenScene.h"

using namespace minigametest;

// The mini-game base: the configuration file, the guide's phases and the result in the profile.
namespace
{
struct ConfigCase
{
	const char* name;
	const char* xml;
	int maxLevelTime;
	int expertScore;
};

const ConfigCase configCases[] = {
    {"both values", "<MiniGame><MaxLevelTime Value='90000'/><ExpertScore Value='1200'/></MiniGame>", 90000, 1200},
    {"no expert score", "<MiniGame><MaxLevelTime Value='5000'/></MiniGame>", 5000, 0},
    {"missing Value keeps the value before", "<MiniGame><MaxLevelTime Value='7'/><MaxLevelTime/></MiniGame>", 7, 0},
    {"unknown elements skipped",
     "<MiniGame><Sequence><S M='3'/></Sequence><Foo><ExpertScore Value='4'/></Foo></MiniGame>", 0, 4},
    {"reading ends at the root's end", "<MiniGame></MiniGame><ExpertScore Value='9'/>", 0, 0},
    {"a text time is refused for the default minute", "<MiniGame><MaxLevelTime Value='abc'/></MiniGame>", 60000, 0},
    {"no time at all is refused for the default minute", "<MiniGame><MaxLevelTime Value='0'/></MiniGame>", 60000, 0},
};

using MiniGameBase = MiniGameStage;

// A hidden-object game with one object at (100, 100), entered and its guide dismissed.
struct OneObjectGame
{
	SmartPointer<GMiniGameHiddenScene> scene{new GMiniGameHiddenScene()};
	MiniGameTree tree{scene.get()};
	OneObjectGame() { tree.addObject("Key", 100, 100); }
};
} // namespace

TEST(MiniGameConfiguration, ReadsTimeAndExpertScoreAndSkipsTheRest)
{
	for (const ConfigCase& c : configCases)
	{
		SmartPointer<GMiniGameHiddenScene> scene(new GMiniGameHiddenScene());
		scene->parseConfiguration(configReader(c.xml).get());
		EXPECT_EQ(scene->getMaxLevelTime(), c.maxLevelTime) << c.name;
		EXPECT_EQ(scene->getExpertScore(), c.expertScore) << c.name;
	}
}

TEST(MiniGameConfiguration, TheBaseIsNeitherClonedNorRegistered)
{
	SmartPointer<GMiniGameHiddenScene> game(new GMiniGameHiddenScene());
	EXPECT_TRUE(game->isKindOf(NodeTypeGMiniGameScene));
	EXPECT_TRUE(game->isKindOf(NodeTypeGBaseSceneNode));
	EXPECT_EQ(game->period, 10u);
	registerGameNodeClasses();
	EXPECT_FALSE(NodeFactory::instance()->hasNodeCreator(L"GMiniGameScene"));
}

TEST_F(MiniGameBase, AMissingConfigurationIsLoggedAndLeavesZeros)
{
	SmartPointer<GMiniGameHiddenScene> scene(new GMiniGameHiddenScene());
	LogCapture log;
	EXPECT_FALSE(scene->loadConfiguration("levels/nowhere/"));
	EXPECT_TRUE(log.contains("Unable to find configuration for the minigame", 2)) << log.dump();
	EXPECT_EQ(scene->getMaxLevelTime(), 0);
}

TEST_F(MiniGameBase, PressesOnlyCountAfterTheGuideHasAppearedAndBeenDismissed)
{
	OneObjectGame g;
	enter(g.scene.get());
	// Phase 1: nothing happens, not even the dismissal.
	EXPECT_FALSE(leftClick(g.scene.get(), 110, 110));
	EXPECT_EQ(g.scene->getLinetPhase(), 1);
	g.scene->updateTime(290 - g.scene->getPhaseTime());
	EXPECT_EQ(g.scene->getLinetPhase(), 1);
	EXPECT_EQ(g.tree.linetText->getTintColor().getAlpha(), 0u);
	g.scene->updateTime(10);
	EXPECT_EQ(g.scene->getLinetPhase(), 2);
	// The first press in phase 2 only dismisses the guide, even on an object.
	leftClick(g.scene.get(), 110, 110);
	EXPECT_EQ(g.scene->getLinetPhase(), 3);
	EXPECT_EQ(g.tree.hitObjects->getChildren().size(), 1u);
}

namespace
{
struct ResultCase
{
	const char* name;
	int location, maxUnlocked;
	const char* scores;
	const char* times;
	int expertScore, playTime;
	int expectMaxUnlocked, expectLocation;
	const char* expectScores;
	const char* expectTimes;
};

const ResultCase resultCases[] = {
    {"first mini-game unlocks the next location", 7, 6, "", "", 500, 60000, 7, 8, "0;0;0;0;0;0;0;500",
     "0;0;0;0;0;0;0;T"},
    {"replayed: progress unchanged", 7, 9, "", "", 500, 60000, 9, 7, "0;0;0;0;0;0;0;500", "0;0;0;0;0;0;0;T"},
    {"short lists padded with zeros", 4, 9, "10;20", "5;6", 300, 1000, 9, 4, "10;20;0;0;300", "5;6;0;0;T"},
    {"a lower score keeps the stored one", 2, 9, "0;0;900", "0;0;80000", 500, 70000, 9, 2, "0;0;900", "0;0;T"},
    {"a longer time keeps the better stored one", 2, 9, "0;0;100", "0;0;40000", 500, 70000, 9, 2, "0;0;500",
     "0;0;40000"},
    {"the last mini-game leaves the player on its own location", 31, 30, "", "", 100, 1000, 31, 31, nullptr, nullptr},
};
} // namespace

TEST_F(MiniGameBase, CompletingRecordsTheResultInTheProfileAndShowsTheGain)
{
	for (const ResultCase& c : resultCases)
	{
		standOn(c.location, c.maxUnlocked, c.scores, c.times);
		const int before =
		    parseIntList(profile()->getString(ProfileKey::Scores)).size() > static_cast<irr::u32>(c.location)
		        ? parseIntList(profile()->getString(ProfileKey::Scores))[c.location]
		        : 0;
		OneObjectGame g;
		g.scene->parseConfiguration(
		    configReader("<MiniGame><ExpertScore Value='" + std::to_string(c.expertScore) + "'/></MiniGame>").get());
		enter(g.scene.get());
		dismissGuide(g.scene.get(), [&] { leftClick(g.scene.get(), 1, 1); });
		g.scene->updateTime(c.playTime - 300);
		EXPECT_TRUE(leftClick(g.scene.get(), 110, 110)) << c.name;
		EXPECT_TRUE(g.scene->isCompleted()) << c.name;
		EXPECT_EQ(g.scene->getScore(), c.expertScore) << c.name;
		EXPECT_EQ(profile()->getInt(ProfileKey::MaxUnlockedLevelIndex), c.expectMaxUnlocked) << c.name;
		EXPECT_EQ(profile()->getInt(ProfileKey::LevelIndex), c.expectLocation) << c.name;
		if (c.expectScores)
		{
			// "T" stands for the play time as the game counted it.
			std::string times = c.expectTimes;
			if (times.find('T') != std::string::npos)
				times.replace(times.find('T'), 1, std::to_string(g.scene->getElapsedTime()));
			EXPECT_EQ(list(ProfileKey::Scores), c.expectScores) << c.name;
			EXPECT_EQ(list(ProfileKey::Times), times) << c.name;
		}
		// Saved: a later start of the game reads the same.
		EXPECT_EQ(reloadedProfiles()->getProfile(0)->getString(ProfileKey::Scores),
		          profile()->getString(ProfileKey::Scores))
		    << c.name;
		// The popup opened over the game, handed the gain.
		settle();
		auto* popup = nodeCast<GMiniCompletedScene>(top());
		ASSERT_NE(popup, nullptr) << c.name;
		const int gain = std::max(0, c.expertScore - before);
		for (int i = 0; i < 60; ++i)
			popup->updateTime(30);
		EXPECT_EQ(text(popup, "Text"),
		          "- Your time: " +
		              std::string(irr::core::stringc(formatMinutesSeconds(g.scene->getElapsedTime())).c_str()))
		    << c.name;
		EXPECT_EQ(text(popup->findChild(internStringId("ScoreNode")), "Text"),
		          "- Total score: " + std::string(irr::core::stringc(formatThousands(gain, L',')).c_str()))
		    << c.name;
		EXPECT_EQ(text(popup, "DoneText"), "Well done, Ann! The city is proud of you.") << c.name;
		// Enter closes past the game and the loading scene, back to the map.
		EXPECT_TRUE(keyUp(popup, 13)) << c.name;
		settle();
		EXPECT_EQ(top(), covered.get()) << c.name;
	}
}

TEST_F(MiniGameBase, ACompletedSceneThatFailsToOpenIsNotRetriedEveryUpdate)
{
	standOn(7, 6);
	OneObjectGame g;
	enter(g.scene.get());
	dismissGuide(g.scene.get(), [&] { leftClick(g.scene.get(), 1, 1); });
	CContentManager* content = application->contentManager;
	application->contentManager = nullptr; // the popup cannot be loaded
	leftClick(g.scene.get(), 110, 110);
	application->contentManager = content;
	EXPECT_EQ(top(), g.scene.get());
	EXPECT_EQ(profile()->getInt(ProfileKey::LevelIndex), 8);
	// Were completion repeated, the next updates would write location 8's result and save again.
	profile()->setInt(ProfileKey::LevelIndex, 8);
	for (int i = 0; i < 10; ++i)
		g.scene->updateTime(10);
	leftClick(g.scene.get(), 500, 500);
	EXPECT_EQ(list(ProfileKey::Scores), "0;0;0;0;0;0;0;0");
	EXPECT_EQ(reloadedProfiles()->getProfile(0)->getInt(ProfileKey::LevelIndex), 8);
}

TEST_F(MiniGameBase, TheCompletedPopupCountsUpTogetherAndStops)
{
	// Opened without results: a time and gain of 0 end the count on its first step.
	auto* popup = open<GMiniCompletedScene>(GMiniGameScene::CompletedSceneFileName);
	ASSERT_NE(popup, nullptr);
	EXPECT_EQ(popup->getCountState(), 0);
	EXPECT_EQ(text(popup, "Text"), "- Your time: 00:00");

	SmartPointer<BaseNode> loaded(
	    application->contentManager->getSceneNode(GMiniGameScene::CompletedSceneFileName, false));
	auto* counting = nodeCast<GMiniCompletedScene>(loaded.get());
	ASSERT_NE(counting, nullptr);
	counting->setResults(0, 90000, 1200);
	ASSERT_TRUE(top()->pushScene(counting, true, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
	for (int i = 0; i < 100 && !counting->getScheduler(); ++i)
		settle(1);
	counting->setScheduler(nullptr);
	ASSERT_EQ(counting->getCountState(), 1);
	EXPECT_EQ(text(counting, "Text"), "- Your time: 00:00");
	counting->updateTime(100);
	for (int i = 0; i < 44; ++i) // 1.32 s
		counting->updateTime(30);
	EXPECT_EQ(counting->getCountState(), 2);
	counting->updateTime(30);
	EXPECT_EQ(counting->getCountState(), 0);
	EXPECT_EQ(text(counting, "Text"), "- Your time: 01:30");
	EXPECT_EQ(text(counting->findChild(internStringId("ScoreNode")), "Text"), "- Total score: 1,200");
}
