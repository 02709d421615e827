#include "minigames/GMiniGameAuctionScene.h"

#include "MiniGameTestSupport.h"
#include "level/GEllipseSectorNode.h"

#include <algorithm>

using namespace minigametest;

// The auction played by its presses: the biggest pile scores, the clock ends the game.
namespace
{
// Taken for the comic that opened the loading scene on its way to the auction.
class ComicStandIn : public frontendtest::CoveredScene
{
	ENGINE_NODE_TYPE(ComicStandIn, NodeTypeGComicsScene, frontendtest::CoveredScene)
};

class Auction : public MiniGameStage
{
protected:
	void SetUp() override
	{
		MiniGameStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		scene = SmartPointer<GMiniGameAuctionScene>(new GMiniGameAuctionScene());
		tree.reset(new MiniGameTree(scene.get()));
		for (const char* name : {"Zone1", "Zone2", "Zone3"})
			addNode(addNode(tree->game, new ControlNode(), name), new SpriteNode(), "Obj");
		hand = addGroup(tree->ui, "LongArrow");
		pie = addNode(tree->ui, new GEllipseSectorNode(), "Ellipse");
		pie->setAngle2(360);
	}
	void TearDown() override
	{
		tree.reset();
		scene = nullptr;
		MiniGameStage::TearDown();
	}

	void play(int maxLevelTime)
	{
		scene->parseConfiguration(
		    configReader("<MiniGame><MaxLevelTime Value='" + std::to_string(maxLevelTime) + "'/></MiniGame>").get());
		enter(scene.get());
		dismissGuide(scene.get(), [&] { pick(true); });
	}

	// Presses the zone with the biggest pile, or another one.
	bool pick(bool right)
	{
		for (int i = 0; i < 3; ++i)
			if ((scene->getZonePile(i) == scene->getBiggestPile()) == right)
				return press(scene.get(), scene->getZone(i));
		return false;
	}

	std::vector<int> piles() const
	{
		std::vector<int> p = {scene->getZonePile(0), scene->getZonePile(1), scene->getZonePile(2)};
		return p;
	}

	SmartPointer<GMiniGameAuctionScene> scene;
	std::unique_ptr<MiniGameTree> tree;
	BaseNode* hand = nullptr;
	GEllipseSectorNode* pie = nullptr;
};
} // namespace

TEST_F(Auction, RoundsShowRisingPilesAndNeverRepeatAnArrangement)
{
	play(600000);
	std::vector<int> previous = piles();
	for (int round = 0; round < 60; ++round)
	{
		std::vector<int> sorted = piles();
		std::sort(sorted.begin(), sorted.end());
		const std::string shown = "round " + std::to_string(scene->getRoundNumber());
		if (scene->getRoundNumber() < 3)
			EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3})) << shown;
		else if (scene->getRoundNumber() < 6)
			EXPECT_TRUE(sorted == (std::vector<int>{2, 3, 4}) || sorted == (std::vector<int>{3, 4, 5})) << shown;
		else
			EXPECT_TRUE(sorted[2] - sorted[1] == 1 && sorted[2] <= 6 && sorted[0] >= 1) << shown;
		EXPECT_EQ(scene->getBiggestPile(), sorted[2]) << shown;
		if (round > 0)
			EXPECT_NE(piles(), previous) << shown;
		previous = piles();
		pick(round % 3 != 0);
	}
}

TEST_F(Auction, RightPicksScoreFifteenAndWrongPicksNothing)
{
	play(600000);
	EXPECT_EQ(text(scene.get(), "ScoreText"), "0");
	EXPECT_EQ(scene->getRoundNumber(), 0) << "the dismissing press picks nothing";
	pick(true);
	EXPECT_EQ(text(scene.get(), "ScoreText"), "15");
	pick(false);
	EXPECT_EQ(scene->getScore(), 15);
	EXPECT_EQ(scene->getRoundNumber(), 2);
	for (int i = 0; i < 69; ++i)
		pick(true);
	EXPECT_EQ(text(scene.get(), "ScoreText"), "1,050");
}

TEST_F(Auction, TheClockRunsAfterTheGuideAndEndsTheGameOnceTheTimeIsExceeded)
{
	standOn(31, 30);
	scene->parseConfiguration(configReader("<MiniGame><MaxLevelTime Value='60000'/></MiniGame>").get());
	enter(scene.get());
	scene->updateTime(300);
	scene->updateTime(5000);
	EXPECT_EQ(text(scene.get(), "TimeLeft"), "01:00") << "the clock waits for the guide";
	press(scene.get(), scene->getZone(0));
	EXPECT_EQ(scene->getRoundNumber(), 0);
	pick(true);
	scene->updateTime(15000);
	EXPECT_EQ(text(scene.get(), "TimeLeft"), "00:45");
	EXPECT_EQ(hand->getRotation().Z, 90.0f);
	EXPECT_EQ(pie->getAngle1(), 90);
	scene->updateTime(45000);
	EXPECT_EQ(text(scene.get(), "TimeLeft"), "00:00");
	EXPECT_FALSE(scene->isCompleted()) << "reached is not exceeded";
	scene->updateTime(10);
	EXPECT_TRUE(scene->isCompleted());
	EXPECT_EQ(list(ProfileKey::Scores).substr(list(ProfileKey::Scores).rfind(';') + 1), "15");
	EXPECT_EQ(profile()->getInt(ProfileKey::LevelIndex), 31);
}

// Only a scene whose configuration was never read stands without a time limit.
TEST_F(Auction, WithoutAConfigurationTheGameEndsAtOnceWithoutDividingByZero)
{
	enter(scene.get());
	dismissGuide(scene.get(), [&] { pick(true); });
	EXPECT_FALSE(scene->isCompleted());
	scene->updateTime(10);
	EXPECT_TRUE(scene->isCompleted());
	EXPECT_EQ(text(scene.get(), "TimeLeft"), "00:00");
	EXPECT_EQ(pie->getAngle1(), 360);
}

// A damaged time limit is refused: the auction runs the default minute instead of ending at once as played.
TEST_F(Auction, ADamagedTimeLimitPlaysTheDefaultMinuteInsteadOfEndingAtOnce)
{
	scene->parseConfiguration(configReader("<MiniGame><MaxLevelTime Value='-60000'/></MiniGame>").get());
	enter(scene.get());
	EXPECT_EQ(text(scene.get(), "TimeLeft"), "01:00");
	dismissGuide(scene.get(), [&] { pick(true); });
	scene->updateTime(10);
	EXPECT_FALSE(scene->isCompleted());
	scene->updateTime(GMiniGameScene::DefaultMaxLevelTime - 10);
	EXPECT_FALSE(scene->isCompleted());
	scene->updateTime(10);
	EXPECT_TRUE(scene->isCompleted());
}

TEST_F(Auction, TheSequenceIsReadAndTheMenuButtonLeavesToTheOpener)
{
	scene->parseConfiguration(
	    configReader("<MiniGame><Sequence><S M='3' D='2'/><S/></Sequence><Sequence><S M='5'/></Sequence></MiniGame>")
	        .get());
	ASSERT_EQ(scene->getSequence().size(), 1u);
	EXPECT_EQ(scene->getSequence()[0].m, 5);
	EXPECT_EQ(scene->getSequence()[0].d, 1);
	play(60000);
	EXPECT_TRUE(press(scene.get(), addGroup(scene.get(), "MenuButton")));
	settle();
	EXPECT_EQ(top(), covered.get());
}

// Opened on the way through a comic, the auction's Menu leads back past the loading scene into the comic,
// which then goes on with its story.
TEST_F(Auction, OpenedFromAComicTheMenuButtonLeavesIntoTheComic)
{
	SmartPointer<ComicStandIn> comic(new ComicStandIn());
	comic->setBounds({1024, 768, 0});
	ASSERT_TRUE(top()->pushScene(comic.get(), false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
	settle();
	comic->played.clear();
	play(60000);
	ASSERT_EQ(scene->getSceneBelow()->getSceneBelow(), comic.get());
	EXPECT_TRUE(press(scene.get(), addGroup(scene.get(), "MenuButton")));
	settle();
	EXPECT_EQ(top(), comic.get());
	EXPECT_TRUE(comic->hasPlayed("NavBackTo"));
	EXPECT_EQ(list(ProfileKey::Scores), "") << "leaving keeps no result";
}
