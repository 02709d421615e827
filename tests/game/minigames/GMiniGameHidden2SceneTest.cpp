#include "minigames/GMiniGameHidden2Scene.h"

#include "MiniGameTestSupport.h"
#include "data/GLevelPaths.h"

#include <set>

using namespace minigametest;

// The ordered hidden-object game played by its presses: only the wanted object counts.
namespace
{
class OrderedGame : public MiniGameStage
{
protected:
	void SetUp() override
	{
		MiniGameStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		scene = SmartPointer<GMiniGameHidden2Scene>(new GMiniGameHidden2Scene());
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

	// A press in the middle of the object.
	bool pressOn(const BaseNode* object)
	{
		const irr::core::vector3df at = object->getPosition() + object->getBounds() * 0.5f;
		return leftClick(scene.get(), static_cast<int>(at.X), static_cast<int>(at.Y));
	}

	void move(int x, int y)
	{
		CEventInputMouseMove event(x, y);
		scene->sendToChildren(0, &event);
	}

	SmartPointer<GMiniGameHidden2Scene> scene;
	std::unique_ptr<MiniGameTree> tree;
};

const char* const pathsXml = "<LevelPaths><CarPaths>"
                             "<Path ID='A'><p p='0;0'/><p p='100;0'/></Path>"
                             "<Path ID='B'><p p='0;0'/><p p='0;100'/></Path>"
                             "<Path ID='C'><p p='0;0'/><p p='50;50'/></Path>"
                             "</CarPaths></LevelPaths>";
} // namespace

TEST(OrderedGameConfiguration, ReadsItemsTrailAndKeepsDefaultsForMissingValues)
{
	struct Case
	{
		const char* name;
		const char* xml;
		float velocity;
		int pps;
		size_t items;
	};
	const Case cases[] = {
	    {"defaults", "<MiniGame/>", 100.0f, 100, 0},
	    {"given", "<MiniGame><HintTrailVelocity Value='250.5'/><HintTrailPPS Value='40'/></MiniGame>", 250.5f, 40, 0},
	    {"no speed value keeps a moving trail", "<MiniGame><HintTrailVelocity/></MiniGame>", 100.0f, 100, 0},
	    {"no rate value: no particles", "<MiniGame><HintTrailPPS/></MiniGame>", 100.0f, 0, 0},
	    {"items, a later name replaces",
	     "<MiniGame><ItemsToFind><Item Name='A' Filename='a'/>"
	     "<Item Name='B' Filename='b'/><Item Name='A' Filename='a2'/></ItemsToFind>"
	     "<ExpertScore Value='3'/></MiniGame>",
	     100.0f, 100, 2},
	    {"empty item list", "<MiniGame><ItemsToFind/><ExpertScore Value='3'/></MiniGame>", 100.0f, 100, 0},
	};
	for (const Case& c : cases)
	{
		SmartPointer<GMiniGameHidden2Scene> scene(new GMiniGameHidden2Scene());
		scene->parseConfiguration(configReader(c.xml).get());
		EXPECT_EQ(scene->getHintTrailVelocity(), c.velocity) << c.name;
		EXPECT_EQ(scene->getHintTrailPps(), c.pps) << c.name;
		EXPECT_EQ(scene->getPreviewFiles().size(), c.items) << c.name;
	}
	SmartPointer<GMiniGameHidden2Scene> scene(new GMiniGameHidden2Scene());
	scene->parseConfiguration(configReader(cases[4].xml).get());
	EXPECT_EQ(scene->getPreviewFiles().at(internStringId("A")), "a2");
	EXPECT_EQ(scene->getExpertScore(), 3);
}

TEST_F(OrderedGame, OnlyTheWantedObjectIsFoundAndTheLastCompletesTheGame)
{
	tree->addObject("A", 100, 100, 100, 100);
	tree->addObject("B", 150, 150, 100, 100); // drawn over A where they overlap
	tree->addObject("C", 500, 500);
	scene->parseConfiguration(configReader("<MiniGame><ExpertScore Value='700'/></MiniGame>").get());
	play();
	ASSERT_EQ(scene->getFindOrder().size(), 3u);
	EXPECT_EQ(text(scene.get(), "ObjCount"), "3");
	for (int i = 0; i < 3; ++i)
	{
		BaseNode* wanted = scene->getWantedObject();
		const auto& order = scene->getFindOrder();
		for (irr::u32 k = 0; k < order.size(); ++k)
			if (order[k].get() != wanted && order[k]->isVisible())
				EXPECT_FALSE(pressOn(order[k].get())) << "a press on an object not wanted does nothing";
		EXPECT_EQ(scene->getWantedObject(), wanted);
		// Where another object lies over the wanted one, the press still finds the wanted one.
		const irr::core::vector3df at = wanted->getPosition();
		EXPECT_TRUE(leftClick(scene.get(), static_cast<int>(at.X) + 60, static_cast<int>(at.Y) + 60) ||
		            pressOn(wanted));
		EXPECT_FALSE(wanted->isVisible());
		EXPECT_EQ(wanted->getParent(), tree->hitObjects);
	}
	EXPECT_TRUE(scene->isCompleted());
	EXPECT_EQ(scene->getScore(), 700);
}

TEST_F(OrderedGame, TwoLoadsDrawIndependentOrdersOfEveryObject)
{
	const char* names[] = {"A", "B", "C", "D", "E", "F", "G", "H"};
	for (int i = 0; i < 8; ++i)
		tree->addObject(names[i], 60.0f * i, 0);
	std::set<std::string> orders;
	for (int load = 0; load < 6; ++load)
	{
		scene->onLoaded();
		std::string order;
		std::set<BaseNode*> seen;
		const auto& objects = scene->getFindOrder();
		for (irr::u32 k = 0; k < objects.size(); ++k)
		{
			order += getStringById(objects[k]->getName()).c_str();
			seen.insert(objects[k].get());
		}
		EXPECT_EQ(seen.size(), 8u);
		orders.insert(order);
	}
	EXPECT_GT(orders.size(), 1u);
}

TEST_F(OrderedGame, AnEmptyPictureIsRefusedAndNeverCompletes)
{
	expectEmptyPictureRefused(scene.get());
	EXPECT_EQ(scene->getWantedObject(), nullptr);
}

TEST_F(OrderedGame, TheTrailFollowsTheMouseOverTheWantedObjectAndTheHintRunsItFourTimes)
{
	tree->addObject("A", 100, 100);
	tree->addObject("B", 300, 300);
	tree->addObject("C", 500, 500);
	scene->getHintPaths()->load(configReader(pathsXml).get());
	play();
	GPathMovableNode* trail = scene->getHintTrail();
	BaseNode* wanted = scene->getWantedObject();
	const irr::core::vector3df at = wanted->getPosition();
	move(static_cast<int>(at.X) + 5, static_cast<int>(at.Y) + 5);
	ASSERT_TRUE(trail->isMoving());
	EXPECT_EQ(trail->getSpeed(), 100.0f);
	// Resting on the object replays the trail after each arrival.
	for (int i = 0; i < 200 && trail->isMoving(); ++i)
		scene->updateTime(10);
	EXPECT_TRUE(trail->isMoving());
	// Moved off, the running trail finishes and does not start again.
	move(1000, 10);
	for (int i = 0; i < 300; ++i)
		scene->updateTime(10);
	EXPECT_FALSE(trail->isMoving());
	// The hint runs the route four times: (4 x 2 points) - 1 left after the start.
	EXPECT_TRUE(press(scene.get(), addGroup(scene.get(), "HintButton")));
	EXPECT_EQ(trail->getRemainingPointsCount(), 8u);
	// Pressed again while it runs: only the cue.
	scene->updateTime(1100);
	EXPECT_TRUE(press(scene.get(), scene->findChild(internStringId("HintButton"), 1)));
	EXPECT_LT(trail->getRemainingPointsCount(), 8u);
}
