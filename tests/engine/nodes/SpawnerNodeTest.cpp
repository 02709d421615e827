#include "ParticleTestSupport.h"

#include "core/CPropertyCollection.h"
#include "core/CPropertyDataProperties.h"
#include "nodes/SpawnerNode.h"
#include "scene/NodeFactory.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

namespace
{
// A spawnable node that keeps the lifetime it is handed.
class LivingNode : public BaseNode
{
	ENGINE_NODE_TYPE(LivingNode, 1500, BaseNode)
	ENGINE_NODE_CLONE(LivingNode)

public:
	using BaseNode::BaseNode;

	const PropertyTable& propertyTable() const override
	{
		static const PropertyTable table = appendPropertyDescriptors(
		    baseNodePropertyTable(),
		    {{"LifeTime",
		      [](IPropertyOwner* o, const SmartPointer<IPropertyData>& v)
		      { static_cast<LivingNode*>(o)->lifeTime = propertyAsInt(v.get()); },
		      [](const IPropertyOwner* o) { return makeIntValue(static_cast<const LivingNode*>(o)->lifeTime); }}});
		return table;
	}

	int lifeTime = -1;
};

class SpawnerNodeTest : public ::testing::Test
{
protected:
	SpawnerNodeTest()
	{
		addTemplate(new LivingNode(), "Balloon", 5.0f);
		addTemplate(new BaseNode(), "Plain", 0.0f);
	}
	~SpawnerNodeTest() override { spawner = SmartPointer<SpawnerNode>(); }

	void addTemplate(BaseNode* node, const char* name, float z)
	{
		node->setName(name);
		node->setPosition({1.0f, 2.0f, z});
		node->setVisible(false);
		scene.templates->addTemplate(node);
		node->drop();
	}

	SpawnerNode* makeSpawner(const char* templates = "Balloon")
	{
		spawner = SmartPointer<SpawnerNode>(new SpawnerNode(ContentRef(), nullptr, &scene));
		spawner->setObjTemplate(templates);
		return spawner.get();
	}

	void renderPass()
	{
		RenderList list;
		spawner->addToRenderList(list);
	}

	irr::u32 copies() const { return spawner->getChildren().size(); }

	TestSceneServices scene;
	SmartPointer<SpawnerNode> spawner;
};

TEST_F(SpawnerNodeTest, TypeIdentityAndTable)
{
	makeSpawner();
	EXPECT_EQ(spawner->getTypeName(), irr::core::stringw(L"SpawnerNode"));
	EXPECT_EQ(spawner->typeId(), 19);
	EXPECT_TRUE(spawner->isKindOf(0));
	EXPECT_EQ(spawner->period, 30u);
	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"SpawnerNode", ContentRef()));
	EXPECT_NE(nodeCast<SpawnerNode>(made.get()), nullptr);
	const char* names[] = {"ObjTemplate",        "Enabled",           "IsSpawnedObjectGhost",
	                       "ObjectsSpawnStartDelayRange", "ObjectsPerSecRange", "ObjectsLifeTimeRange",
	                       "ObjectsXDeltaRange", "ObjectsYDeltaRange", "ObjectsRotationDeltaRange"};
	const PropertyTable& table = spawner->propertyTable();
	const size_t base = BaseNode::baseNodePropertyTable().size();
	ASSERT_EQ(table.size(), base + 9);
	for (size_t i = 0; i < 9; ++i)
		EXPECT_EQ(table[base + i].name, irr::core::stringc(names[i]));
}

TEST_F(SpawnerNodeTest, TheFirstCopyComesOnThe34thRun)
{
	makeSpawner();
	renderPass();
	EXPECT_EQ(spawner->getScheduler(), scene.scheduler.get());
	scene.tick(33);
	EXPECT_EQ(copies(), 0u);
	scene.tick(1);
	EXPECT_EQ(copies(), 1u);
	EXPECT_NEAR(spawner->getAccumulator(), 20.0f, 1e-3f);
	scene.tick(33);
	EXPECT_EQ(copies(), 2u);
}

TEST_F(SpawnerNodeTest, AStartDelayComesBeforeTheFirstPeriod)
{
	makeSpawner();
	CPropertyCollection properties;
	properties.addVector2d("ObjectsSpawnStartDelayRange", {500.0f, 500.0f});
	properties.addVector2d("ObjectsPerSecRange", {2.0f, 2.0f});
	spawner->readProperties(properties);
	EXPECT_FLOAT_EQ(spawner->getAccumulator(), -500.0f);
	renderPass();
	EXPECT_FLOAT_EQ(spawner->getAccumulator(), -500.0f);
	scene.tick(33);
	EXPECT_EQ(copies(), 0u);
	scene.tick(1);
	EXPECT_EQ(copies(), 1u);
}

TEST_F(SpawnerNodeTest, CopiesArePlacedTurnedAndHandedTheirLifetime)
{
	makeSpawner("Balloon;Plain");
	spawner->setObjectsPerSecRange({100.0f, 100.0f});
	spawner->setObjectsXDeltaRange({10.0f, 10.0f});
	spawner->setObjectsYDeltaRange({-20.0f, -20.0f});
	spawner->setObjectsRotationDeltaRange({45.0f, 45.0f});
	spawner->setObjectsLifeTimeRange({1500.9f, 1500.9f});
	SmartPointer<CPropertyCollection> extra(new CPropertyCollection());
	extra->addColor("TintColor", irr::video::SColor(0xFF102030));
	extra->addInt("NoSuchProperty", 3);
	spawner->setObjectsProperties(extra.get());
	ASSERT_EQ(spawner->getTemplateCount(), 2u);

	spawner->run(30);
	ASSERT_EQ(copies(), 3u);
	const irr::core::stringw kind = spawner->getChildren()[0]->getTypeName();
	for (irr::u32 i = 0; i < copies(); ++i)
	{
		BaseNode* copy = spawner->getChildren()[i];
		EXPECT_EQ(copy->getTypeName(), kind);
		EXPECT_EQ(copy->getPosition(), irr::core::vector3df(10.0f, -20.0f, kind == L"LivingNode" ? 5.0f : 0.0f));
		EXPECT_EQ(copy->getRotation(), irr::core::vector3df(0.0f, 0.0f, 45.0f));
		EXPECT_TRUE(copy->isVisible());
		EXPECT_TRUE(copy->isInternal());
		EXPECT_EQ(copy->getTintColor().color, 0xFF102030u);
		EXPECT_EQ(copy->getSceneManager(), spawner->getSceneManager());
		if (auto* living = nodeCast<LivingNode>(copy))
		{
			EXPECT_EQ(living->lifeTime, 1500);
		}
	}
}

TEST_F(SpawnerNodeTest, UnknownTemplateNamesAreSkipped)
{
	makeSpawner("Missing; Balloon");
	ASSERT_EQ(spawner->getTemplateCount(), 1u);
	EXPECT_EQ(spawner->getObjTemplate(), irr::core::stringc("Missing;Balloon"));
	spawner->run(1000);
	ASSERT_EQ(copies(), 1u);
	EXPECT_NE(nodeCast<LivingNode>(spawner->getChildren()[0]), nullptr);

	makeSpawner("Missing");
	spawner->run(1000);
	EXPECT_EQ(copies(), 0u);
	EXPECT_NEAR(spawner->getAccumulator(), 0.0f, 1e-3f);
}

TEST_F(SpawnerNodeTest, GhostCopiesAreNotCloned)
{
	for (bool ghost : {true, false})
	{
		makeSpawner();
		spawner->setSpawnedObjectGhost(ghost);
		spawner->run(2000);
		ASSERT_EQ(copies(), 2u);
		SmartPointer<BaseNode> cloned(spawner->clone());
		auto* copy = nodeCast<SpawnerNode>(cloned.get());
		ASSERT_NE(copy, nullptr);
		EXPECT_EQ(copy->getChildren().size(), ghost ? 0u : 2u) << ghost;
		EXPECT_EQ(copy->isSpawnedObjectGhost(), ghost);
		EXPECT_EQ(copy->getTemplateCount(), 1u);
	}
}

TEST_F(SpawnerNodeTest, EnablingAgainKeepsTheGatheredTime)
{
	makeSpawner();
	renderPass();
	scene.tick(10);
	spawner->setEnabled(false);
	EXPECT_EQ(spawner->getScheduler(), nullptr);
	scene.tick(10);
	EXPECT_NEAR(spawner->getAccumulator(), 300.0f, 1e-3f);
	spawner->setEnabled(true);
	EXPECT_EQ(spawner->getScheduler(), scene.scheduler.get());
	EXPECT_NEAR(spawner->getAccumulator(), 300.0f, 1e-3f);
	scene.tick(24);
	EXPECT_EQ(copies(), 1u);
}

TEST_F(SpawnerNodeTest, AbsurdRatesAreBoundedPerRun)
{
	makeSpawner();
	spawner->setObjectsPerSecRange({1e9f, 1e9f});
	spawner->run(30);
	EXPECT_EQ(copies(), SpawnerNode::MaxSpawnPerRun);
	makeSpawner();
	spawner->setObjectsPerSecRange({-5.0f, -5.0f});
	spawner->run(3000);
	EXPECT_EQ(copies(), 0u);
}

TEST_F(SpawnerNodeTest, PropertiesAreWrittenWhenTheyDifferAndReadBack)
{
	makeSpawner("Balloon;Plain");
	CPropertyCollection defaults;
	spawner->writeProperties(defaults);
	const int baseCount = defaults.getCount() - 1;
	EXPECT_EQ(defaults.getString("ObjTemplate"), irr::core::stringc("Balloon;Plain"));

	spawner->setSpawnedObjectGhost(false);
	spawner->setEnabled(false);
	spawner->setObjectsLifeTimeRange({200.0f, 300.0f});
	spawner->setObjectsYDeltaRange({-1.0f, 1.0f});
	SmartPointer<CPropertyCollection> extra(new CPropertyCollection());
	extra->addBool("Visible", false);
	spawner->setObjectsProperties(extra.get());
	CPropertyCollection written;
	spawner->writeProperties(written);
	EXPECT_EQ(written.getCount(), baseCount + 6);
	SmartPointer<IPropertyData> nested = written.get("ObjectsProperties");
	ASSERT_TRUE(nested);
	EXPECT_EQ(nested->typeId(), PROPERTY_PROPERTIES);

	SmartPointer<SpawnerNode> read(new SpawnerNode(ContentRef(), nullptr, &scene));
	read->readProperties(written);
	EXPECT_FALSE(read->isEnabled());
	EXPECT_FALSE(read->isSpawnedObjectGhost());
	EXPECT_EQ(read->getObjectsLifeTimeRange(), irr::core::vector2df(200.0f, 300.0f));
	EXPECT_EQ(read->getObjectsYDeltaRange(), irr::core::vector2df(-1.0f, 1.0f));
	EXPECT_EQ(read->getObjectsProperties(), extra.get());
	EXPECT_EQ(read->getTemplateCount(), 2u);

	CPropertyCollection wrongType;
	wrongType.addInt("ObjectsProperties", 1);
	read->readProperties(wrongType);
	EXPECT_EQ(read->getObjectsProperties(), nullptr);
}
} // namespace
