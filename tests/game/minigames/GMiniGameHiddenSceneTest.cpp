#include "minigames/GMiniGameHiddenScene.h"

#include "MiniGameTestSupport.h"
#include "core/CPropertyCollection.h"
#include "data/GLevelPaths.h"
#include "effects/GHOHintParticlesNode.h"
#include "scene/PropertyValue.h"

using namespace minigametest;

// The hidden-object game played by its presses: objects in any order, the hint, the menu button.
namespace
{
// Takes the star template's place and keeps the timing windows it is given.
class StarStandIn : public BaseNode
{
	ENGINE_NODE_TYPE(StarStandIn, NodeTypeGShieldStarNode, BaseNode)
public:
	void readProperties(const CPropertyCollection& values) override
	{
		BaseNode::readProperties(values);
		SmartPointer<IPropertyData> a = values.get("Accel1StartTimeRange");
		SmartPointer<IPropertyData> b = values.get("Accel1EndTimeRange");
		if (a)
			start = propertyAsVector2d(a.get());
		if (b)
			end = propertyAsVector2d(b.get());
	}
	irr::core::vector2df start, end;
};

class HiddenGame : public MiniGameStage
{
protected:
	void SetUp() override
	{
		MiniGameStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		scene = SmartPointer<GMiniGameHiddenScene>(new GMiniGameHiddenScene());
		tree.reset(new MiniGameTree(scene.get()));
	}
	void TearDown() override
	{
		tree.reset();
		scene = nullptr;
		MiniGameStage::TearDown();
	}

	void play()
	{
		enter(scene.get());
		dismissGuide(scene.get(), [&] { leftClick(scene.get(), 1000, 10); });
	}

	// Hint routes to the objects A and B.
	void loadHintPaths()
	{
		scene->getHintPaths()->load(configReader("<LevelPaths><CarPaths>"
		                                         "<Path ID='A'><p p='0;0'/><p p='100;0'/></Path>"
		                                         "<Path ID='B'><p p='0;0'/><p p='0;100'/></Path>"
		                                         "</CarPaths></LevelPaths>")
		                                .get());
	}

	SmartPointer<GMiniGameHiddenScene> scene;
	std::unique_ptr<MiniGameTree> tree;
};
} // namespace

TEST_F(HiddenGame, ObjectsAreFoundInAnyOrderUntilNoneIsLeft)
{
	tree->addObject("A", 100, 100);
	tree->addObject("B", 300, 300);
	tree->addObject("C", 500, 100);
	scene->parseConfiguration(configReader("<MiniGame><MaxLevelTime Value='120000'/>"
	                                       "<ExpertScore Value='800'/></MiniGame>")
	                              .get());
	play();
	EXPECT_EQ(text(scene.get(), "TimeCurr"), "02:00");
	EXPECT_EQ(text(scene.get(), "ObjCount"), "3");
	// A press beside every object finds nothing and goes on to the controls.
	EXPECT_FALSE(leftClick(scene.get(), 700, 700));
	EXPECT_TRUE(leftClick(scene.get(), 310, 310));
	EXPECT_EQ(text(scene.get(), "ObjCount"), "2");
	EXPECT_FALSE(scene->getHitObjects()->findChild(internStringId("B"), 1));
	scene->updateTime(1000);
	EXPECT_EQ(text(scene.get(), "TimeTarg"), "00:01");
	EXPECT_EQ(text(scene.get(), "TimeCurr"), "02:00");
	EXPECT_TRUE(leftClick(scene.get(), 510, 110));
	EXPECT_FALSE(scene->isCompleted());
	EXPECT_TRUE(leftClick(scene.get(), 101, 101));
	EXPECT_TRUE(scene->isCompleted());
	EXPECT_EQ(scene->getScore(), 800);
}

TEST_F(HiddenGame, OnePressFindsOnlyTheFirstOfOverlappingObjects)
{
	tree->addObject("Under", 100, 100, 100, 100);
	tree->addObject("Over", 150, 150, 100, 100);
	play();
	EXPECT_TRUE(leftClick(scene.get(), 160, 160));
	ASSERT_EQ(scene->getHitObjects()->getChildren().size(), 1u);
	EXPECT_EQ(scene->getHitObjects()->getChildren()[0]->getName(), internStringId("Over"));
}

TEST_F(HiddenGame, AnEmptyPictureIsRefusedAndNeverCompletes)
{
	expectEmptyPictureRefused(scene.get());
	EXPECT_EQ(text(scene.get(), "ObjCount"), "0");
}

TEST_F(HiddenGame, TheHintFliesOncePerCooldownAndAgainOnceItsObjectIsFound)
{
	tree->addObject("A", 100, 100);
	tree->addObject("B", 300, 300);
	loadHintPaths();
	auto* sparkles = addNode(tree->trail->getParent(), new GHOHintParticlesNode(), "HintParticles");
	sparkles->setEnabled(false);
	enter(scene.get());
	// The hint works while the guide is still shown.
	BaseNode* button = addGroup(scene.get(), "HintButton");
	auto pressHint = [&] { return press(scene.get(), button); };
	EXPECT_TRUE(pressHint());
	BaseNode* hinted = scene->getHintedObject();
	ASSERT_NE(hinted, nullptr);
	EXPECT_TRUE(scene->getHintTrail()->isMoving());
	EXPECT_EQ(scene->getHintCooldown(), GMiniGameHiddenScene::HintCooldown);
	// Sparkles over the hinted object while the cooldown runs.
	EXPECT_TRUE(sparkles->isEnabled());
	EXPECT_EQ(sparkles->getPosition().X, hinted->getPosition().X + 20);
	scene->updateTime(1000);
	EXPECT_TRUE(pressHint());
	EXPECT_EQ(scene->getHintCooldown(), 3000) << "a second press in the cooldown starts nothing";
	EXPECT_EQ(scene->getHintedObject(), hinted);
	// Finding the hinted object stops the trail and frees the hint at once.
	dismissGuide(scene.get(), [&] { leftClick(scene.get(), 1000, 10); });
	const irr::core::vector3df at = hinted->getPosition();
	EXPECT_TRUE(leftClick(scene.get(), static_cast<int>(at.X) + 5, static_cast<int>(at.Y) + 5));
	EXPECT_EQ(scene->getHintedObject(), nullptr);
	EXPECT_FALSE(scene->getHintTrail()->isMoving());
	EXPECT_FALSE(sparkles->isEnabled());
	EXPECT_TRUE(pressHint());
	EXPECT_NE(scene->getHintedObject(), nullptr);
	EXPECT_TRUE(scene->getHintTrail()->isMoving());
	EXPECT_TRUE(sparkles->isEnabled());
	// When the cooldown runs out the sparkles stop; the object stays hinted.
	scene->updateTime(GMiniGameHiddenScene::HintCooldown);
	EXPECT_FALSE(sparkles->isEnabled());
	EXPECT_NE(scene->getHintedObject(), nullptr);
}

TEST_F(HiddenGame, TheMenuButtonReturnsToTheSceneThatOpenedTheLoadingScene)
{
	tree->addObject("A", 100, 100);
	play();
	EXPECT_TRUE(press(scene.get(), addNode(scene.get(), new BaseNode(), "MenuButton")));
	settle();
	EXPECT_EQ(top(), covered.get());
	EXPECT_TRUE(covered->hasPlayed("NavBackTo"));
}

TEST_F(HiddenGame, TheFoundEffectIsSizedByTheObjectAndPlacedOnItsCentre)
{
	struct Case
	{
		const char* name;
		float w, h;
		float start, rate;
	};
	const Case cases[] = {{"Tall", 40, 100, 240, 250}, {"Large", 200, 200, 880, 600}};
	for (const Case& c : cases)
		tree->addObject(c.name, 100, 100, c.w, c.h);
	SmartPointer<StarStandIn> star(new StarStandIn());
	star->setName("HOFoundStarNode");
	SmartPointer<TemplateCollectionNode> own(new TemplateCollectionNode());
	own->addTemplate(star.get());
	application->uiSceneManager->setTemplateCollection(own.get());
	play();
	for (const Case& c : cases)
	{
		EXPECT_TRUE(leftClick(scene.get(), 120, 120)) << c.name;
		EXPECT_EQ(star->start, irr::core::vector2df(c.start, c.start)) << c.name;
		EXPECT_EQ(star->end, irr::core::vector2df(c.start + 180, c.start + 180)) << c.name;
		EXPECT_EQ(tree->found->getObjectsPerSecRange(), irr::core::vector2df(c.rate, c.rate)) << c.name;
		EXPECT_EQ(tree->found->getPosition(), irr::core::vector3df(100 + c.w / 2, 100 + c.h / 2, 0)) << c.name;
	}
	application->uiSceneManager->setTemplateCollection(templates.get());
}
