#include "minigames/GMiniGameAuctionScene.h"

#include "MiniGameTestSupport.h"
#include "effects/GTextTrailNode.h"
#include "level/GEllipseSectorNode.h"
#include "nodes/TextNode.h"

using namespace minigametest;

// The points of a right pick fly as a text trail from the cursor to the score; a wrong pick sends none.
namespace
{
class AuctionReward : public MiniGameStage
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
		addGroup(tree->ui, "LongArrow");
		addNode(tree->ui, new GEllipseSectorNode(), "Ellipse")->setAngle2(360);

		// The trail template, hidden and slow, with its text child.
		auto* trail = new GTextTrailNode();
		trail->setVisible(false);
		trail->setSpeed(10.0f);
		auto* label = new TextNode();
		label->setName("Text");
		trail->addChild(label);
		label->drop();
		own = SmartPointer<TemplateCollectionNode>(new TemplateCollectionNode());
		trail->setName("TextTrailStar");
		own->addTemplate(trail);
		trail->drop();
		application->uiSceneManager->setTemplateCollection(own.get());
	}
	void TearDown() override
	{
		if (application)
			application->uiSceneManager->setTemplateCollection(templates.get());
		tree.reset();
		scene = nullptr;
		own = nullptr;
		MiniGameStage::TearDown();
	}

	bool pick(bool right)
	{
		for (int i = 0; i < 3; ++i)
			if ((scene->getZonePile(i) == scene->getBiggestPile()) == right)
				return press(scene.get(), scene->getZone(i));
		return false;
	}

	std::vector<GTextTrailNode*> trails() const
	{
		std::vector<GTextTrailNode*> found;
		for (irr::u32 i = 0; i < tree->game->getChildren().size(); ++i)
			if (auto* trail = nodeCast<GTextTrailNode>(tree->game->getChildren()[i]))
				found.push_back(trail);
		return found;
	}

	SmartPointer<GMiniGameAuctionScene> scene;
	std::unique_ptr<MiniGameTree> tree;
	SmartPointer<TemplateCollectionNode> own;
};
} // namespace

TEST_F(AuctionReward, ARightPickFliesItsPointsToTheScoreAtSpeed300)
{
	scene->parseConfiguration(configReader("<MiniGame><MaxLevelTime Value='600000'/></MiniGame>").get());
	enter(scene.get());
	dismissGuide(scene.get(), [&] { pick(true); });
	const size_t before = trails().size();
	pick(false);
	EXPECT_EQ(trails().size(), before) << "a wrong pick sends nothing";

	const int score = scene->getScore();
	pick(true);
	ASSERT_EQ(scene->getScore(), score + 15);
	const std::vector<GTextTrailNode*> flying = trails();
	ASSERT_EQ(flying.size(), before + 1);
	GTextTrailNode* trail = flying.back();
	EXPECT_EQ(trail->getSpeed(), 300.0f);
	EXPECT_TRUE(trail->isVisible());
	EXPECT_TRUE(trail->isMoving());
	EXPECT_EQ(trail->getRemainingPointsCount(), 2u);
	const irr::core::vector2df from(trail->getPosition().X, trail->getPosition().Y);
	EXPECT_EQ(from + trail->getCurrentSegment(), irr::core::vector2df(860.0f, 737.0f));
	EXPECT_EQ(text(trail, "Text"), "15");
}
