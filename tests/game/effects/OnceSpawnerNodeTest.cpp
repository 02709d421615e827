#include "effects/OnceSpawnerNode.h"

#include "EffectTestSupport.h"
#include "core/CPropertyCollection.h"
#include "effects/GCarNode.h"

#include <gtest/gtest.h>

namespace
{
struct SpawnerRig
{
	SpawnerRig()
	{
		auto* tree = new BaseNode();
		addStateLog(tree, "Leaves");
		scene.addTemplate(tree, "Tree");
		scene.addTemplate(new GCarNode(), "ParkedCar");
	}
	OnceSpawnerNode* spawner(const char* templates, const char* states, int percent)
	{
		auto* node = scene.add(new OnceSpawnerNode());
		node->setObjTemplateIDs(templates);
		node->setObjState(states);
		node->setShowLevelPercent(percent);
		return node;
	}
	EffectScene scene;
};
} // namespace

// The chance: r from 1 to 98 makes an object when below the percentage; 99 always, 1 never.
TEST(OnceSpawnerNode, DecidesOnceByChance)
{
	seedRandom(8);
	struct Case
	{
		int percent;
		int low, high; // objects made out of 400 spawners
	};
	const Case cases[] = {{99, 400, 400}, {1, 0, 0}, {50, 150, 250}};
	for (const Case& c : cases)
	{
		SpawnerRig rig;
		int made = 0;
		for (int i = 0; i < 400; ++i)
		{
			OnceSpawnerNode* spawner = rig.spawner("Tree", "", c.percent);
			spawner->setVisible(false);
			rig.scene.render();
			rig.scene.render();
			EXPECT_FALSE(spawner->isPending());
			made += static_cast<int>(spawner->getChildren().size());
			ASSERT_LE(spawner->getChildren().size(), 1u) << "never a second object";
		}
		EXPECT_GE(made, c.low) << c.percent;
		EXPECT_LE(made, c.high) << c.percent;
	}
}

// A made object is unsaved, visible, and its children get one of the states; a car stays parked.
TEST(OnceSpawnerNode, MadeObjectsAreDecorations)
{
	SpawnerRig rig;
	OnceSpawnerNode* tree = rig.spawner("Tree", "Spring; Autumn", 99);
	OnceSpawnerNode* car = rig.spawner("ParkedCar", "", 99);
	rig.scene.render();
	ASSERT_EQ(tree->getChildren().size(), 1u);
	BaseNode* object = tree->getChildren()[0];
	EXPECT_TRUE(object->isInternal());
	EXPECT_TRUE(object->isVisible());
	const std::string state = static_cast<StateLog*>(object->getChildren()[0])->last();
	EXPECT_TRUE(state == "Spring" || state == "Autumn") << state;
	ASSERT_EQ(car->getChildren().size(), 1u);
	EXPECT_FALSE(static_cast<GCarNode*>(car->getChildren()[0])->isRemovedAtEnd());
}

// A missing template or no collection: nothing is made and the spawner is spent.
TEST(OnceSpawnerNode, MissingTemplatesSpendTheSpawner)
{
	SpawnerRig rig;
	OnceSpawnerNode* missing = rig.spawner("Nowhere", "", 99);
	rig.scene.render();
	EXPECT_TRUE(missing->getChildren().empty());
	EXPECT_FALSE(missing->isPending());
	SmartPointer<OnceSpawnerNode> alone(new OnceSpawnerNode());
	alone->setObjTemplateIDs("Tree");
	alone->setShowLevelPercent(99);
	renderAlone(alone.get());
	EXPECT_FALSE(alone->isPending());
	EXPECT_TRUE(alone->getChildren().empty());
}

// Lists are written joined by ";", the percentage only when not 50; a clone starts pending.
TEST(OnceSpawnerNode, PropertiesAndClones)
{
	SpawnerRig rig;
	OnceSpawnerNode* spawner = rig.spawner(" Tree ;;ParkedCar", "A;B", 50);
	CPropertyCollection written;
	spawner->writeProperties(written);
	EXPECT_STREQ(written.getString("ObjTemplateIDs").c_str(), "Tree;ParkedCar");
	EXPECT_STREQ(written.getString("ObjState").c_str(), "A;B");
	EXPECT_LT(written.indexOf("ShowLevelPercent"), 0);
	EXPECT_LT(written.indexOf("ObjTemplateIDs"), written.indexOf("ObjState"));
	rig.scene.render();
	SmartPointer<BaseNode> copy(spawner->clone());
	EXPECT_TRUE(static_cast<OnceSpawnerNode*>(copy.get())->isPending());
	EXPECT_STREQ(static_cast<OnceSpawnerNode*>(copy.get())->getObjTemplateIDs().c_str(), "Tree;ParkedCar");
}
