#include "ParticleTestSupport.h"

#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "nodes/PointEmitter.h"
#include "nodes/ParticleSystemNode.h"
#include "scene/NodeFactory.h"
#include "scene/PropertyValue.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
class ParticleSystemNodeTest : public ::testing::Test
{
protected:
	ParticleSystemNodeTest() : manager(new CContentManager(nullptr, nullptr, nullptr)) {}
	~ParticleSystemNodeTest() override
	{
		node = SmartPointer<ParticleSystemNode>();
		scene.scheduler = SmartPointer<TaskScheduler>();
		manager->drop();
	}

	// Caches a point emitter under name, as a particle collection does.
	PointEmitter* cacheEmitter(const char* name, float pps = 10.0f)
	{
		auto* emitter = new PointEmitter(ContentRef(manager, name));
		emitter->setName(name);
		emitter->setPPSRange({pps, pps});
		manager->addContentAs(ContentRef(manager, name), emitter);
		emitter->drop();
		return emitter;
	}

	ParticleSystemNode* makeNode()
	{
		node = SmartPointer<ParticleSystemNode>(new ParticleSystemNode(ContentRef(manager, "scene.xml"), nullptr, &scene));
		return node.get();
	}

	// A node with a 16 x 8 frame.
	ParticleSystemNode* makeNodeWithFrame()
	{
		makeNode();
		frame = SmartPointer<AtlasTexture>(pages.makeFrame(16, 8, {0.0f, 0.0f, 1.0f, 1.0f}));
		node->setAtlasTexture(frame.get());
		return node.get();
	}

	RenderList renderPass()
	{
		RenderList list;
		node->addToRenderList(list);
		return list;
	}

	// Drawn frames as the main loop runs them: a render pass, then one update of the scheduler.
	void frames(int count)
	{
		for (int i = 0; i < count; ++i)
		{
			renderPass();
			scene.tick(1);
		}
	}

	CContentManager* manager;
	TestSceneServices scene;
	TestFrames pages;
	SmartPointer<AtlasTexture> frame;
	SmartPointer<ParticleSystemNode> node;
};

TEST_F(ParticleSystemNodeTest, TypeIdentityAndFactory)
{
	makeNode();
	EXPECT_EQ(node->getTypeName(), irr::core::stringw(L"ParticleSystemNode"));
	EXPECT_EQ(node->typeId(), 17);
	EXPECT_TRUE(node->isKindOf(0));
	EXPECT_FALSE(node->isKindOf(19));
	EXPECT_EQ(node->period, 30u);
	EXPECT_EQ(node->getParticles().allocated_size(), 500u);
	EXPECT_FALSE(node->hitTestPoint({0.0f, 0.0f}));
	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"ParticleSystemNode", ContentRef()));
	EXPECT_NE(nodeCast<ParticleSystemNode>(made.get()), nullptr);
}

TEST_F(ParticleSystemNodeTest, EmitterNamesAreLookedUpInTheCacheOnlyWhenSet)
{
	makeNode();
	node->setEmitterName("Smoke");
	EXPECT_EQ(node->getEmitter(), nullptr);
	PointEmitter* cached = cacheEmitter("Smoke");
	EXPECT_EQ(node->getEmitter(), nullptr);
	EXPECT_EQ(propertyAsText(node->getPropertyByName("EmitterName").get()), irr::core::stringc(""));

	node->setEmitterName("Smoke");
	ASSERT_NE(node->getEmitter(), nullptr);
	EXPECT_NE(node->getEmitter(), cached);
	EXPECT_EQ(node->getEmitter()->getParticles(), &node->getParticles());
	EXPECT_EQ(node->getEmitterName(), irr::core::stringc("Smoke"));
	EXPECT_FALSE(node->getEmitter()->isAttached());

	// A replaced emitter stops filling this node's array.
	SmartPointer<BaseEmitter> old(shareRef(node->getEmitter()));
	renderPass();
	EXPECT_TRUE(old->isAttached());
	node->setEmitterName("Other");
	EXPECT_EQ(node->getEmitter(), nullptr);
	EXPECT_FALSE(old->isAttached());
	EXPECT_EQ(old->getParticles(), nullptr);
}

TEST_F(ParticleSystemNodeTest, AParticleOfLife100IsRemovedInTheFourthUpdate)
{
	makeNodeWithFrame();
	Particle p = restingParticle(0.0f, 0.0f, 100);
	p.velocityX = 100.0f;
	node->getParticles().push_back(p);
	for (int update = 1; update <= 3; ++update)
	{
		EXPECT_TRUE(node->run(30));
		ASSERT_EQ(node->getParticles().size(), 1u);
		EXPECT_EQ(node->getParticles()[0].age, 30 * update);
		EXPECT_NEAR(node->getParticles()[0].x, 3.0f * update, 1e-4f);
	}
	EXPECT_TRUE(node->run(30));
	EXPECT_TRUE(node->getParticles().empty());
	EXPECT_EQ(node->getPrimitiveCount(), 0u);
	EXPECT_FALSE(node->run(30));
}

TEST_F(ParticleSystemNodeTest, RemovedParticlesAreReplacedByTheLastOneWhichIsStillUpdated)
{
	makeNodeWithFrame();
	node->getParticles().push_back(restingParticle(1.0f, 0.0f, 20));
	Particle moving = restingParticle(2.0f, 0.0f, 1000);
	moving.velocityY = 1000.0f;
	node->getParticles().push_back(moving);
	node->getParticles().push_back(restingParticle(3.0f, 0.0f, 20));
	node->run(30);
	ASSERT_EQ(node->getParticles().size(), 1u);
	EXPECT_FLOAT_EQ(node->getParticles()[0].x, 2.0f);
	EXPECT_FLOAT_EQ(node->getParticles()[0].y, 30.0f);
	EXPECT_EQ(node->getParticles()[0].age, 30);
}

TEST_F(ParticleSystemNodeTest, QuadsAreScaledTurnedAndTinted)
{
	makeNodeWithFrame();
	node->setTintColor(irr::video::SColor(0xFF808080));
	node->refreshAbsolute();
	Particle plain = restingParticle(100.0f, 50.0f, 1000);
	plain.scale = 2.0f;
	plain.red = 1.0f;
	plain.green = 0.5f;
	plain.blue = 0.0f;
	plain.alpha = 0.5f;
	Particle turned = restingParticle(0.0f, 0.0f, 1000);
	turned.angle = 90.7f;
	node->getParticles().push_back(plain);
	node->getParticles().push_back(turned);
	ASSERT_TRUE(node->run(0));

	const irr::core::array<BatchVertex>& v = node->getMeshVertices();
	const irr::core::array<irr::u16>& i = node->getMeshIndices();
	ASSERT_EQ(v.size(), 8u);
	ASSERT_EQ(i.size(), 12u);
	EXPECT_EQ(node->getPrimitiveCount(), 4u);
	// 16 x 8 at scale 2: 32 x 16 around the particle, corners clockwise from the top left.
	const float expected[4][2] = {{84, 42}, {116, 42}, {116, 58}, {84, 58}};
	for (int c = 0; c < 4; ++c)
	{
		EXPECT_FLOAT_EQ(v[c].x, expected[c][0]) << c;
		EXPECT_FLOAT_EQ(v[c].y, expected[c][1]) << c;
		EXPECT_FLOAT_EQ(v[c].z, 0.0f);
	}
	// Channels truncated to bytes, then multiplied by the tint 0x80 / 255.
	EXPECT_EQ(v[0].color, irr::video::SColor(127, 255 * 128 / 255, 127 * 128 / 255, 0).color);
	EXPECT_FLOAT_EQ(v[1].u, 1.0f);
	EXPECT_FLOAT_EQ(v[1].v, 0.0f);
	EXPECT_FLOAT_EQ(v[3].u, 0.0f);
	EXPECT_FLOAT_EQ(v[3].v, 1.0f);
	// Turned by 90 whole degrees: the long side now runs along y.
	EXPECT_NEAR(v[4].x, 4.0f, 1e-4f);
	EXPECT_NEAR(v[4].y, -8.0f, 1e-4f);
	EXPECT_NEAR(v[6].x, -4.0f, 1e-4f);
	EXPECT_NEAR(v[6].y, 8.0f, 1e-4f);
	const irr::u16 indices[12] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
	for (int k = 0; k < 12; ++k)
		EXPECT_EQ(i[k], indices[k]);

	// The mesh never shrinks; new frames rewrite the texture coordinates of every quad.
	node->getParticles().set_used(1);
	node->run(0);
	EXPECT_EQ(node->getPrimitiveCount(), 2u);
	EXPECT_EQ(node->getMeshVertices().size(), 8u);
	SmartPointer<AtlasTexture> half(pages.makeFrame(16, 8, {0.5f, 0.0f, 1.0f, 0.5f}));
	node->setAtlasTexture(half.get());
	EXPECT_FLOAT_EQ(node->getMeshVertices()[4].u, 0.5f);
	EXPECT_FLOAT_EQ(node->getMeshVertices()[6].v, 0.5f);
}

TEST_F(ParticleSystemNodeTest, NegativeAnglesWrapIntoTheTable)
{
	makeNodeWithFrame();
	Particle p = restingParticle(0.0f, 0.0f, 1000);
	p.angle = -270.0f;
	node->getParticles().push_back(p);
	Particle q = restingParticle(0.0f, 0.0f, 1000);
	q.angle = 90.0f;
	node->getParticles().push_back(q);
	node->run(0);
	for (int c = 0; c < 4; ++c)
	{
		EXPECT_NEAR(node->getMeshVertices()[c].x, node->getMeshVertices()[4 + c].x, 1e-4f);
		EXPECT_NEAR(node->getMeshVertices()[c].y, node->getMeshVertices()[4 + c].y, 1e-4f);
	}
}

TEST_F(ParticleSystemNodeTest, TheRenderPassStartsBothTasksAndAddsAnEntryForVisibleParticles)
{
	cacheEmitter("Smoke", 100.0f);
	makeNodeWithFrame();
	node->setEmitterName("Smoke");
	EXPECT_TRUE(renderPass().empty());
	EXPECT_EQ(node->getScheduler(), scene.scheduler.get());
	EXPECT_EQ(node->getEmitter()->getScheduler(), scene.scheduler.get());

	scene.tick(1);
	ASSERT_EQ(node->getParticles().size(), 3u);
	RenderList list = renderPass();
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(list[0].node, node.get());

	// Hidden: no entry, but the tasks attached before keep running.
	node->setVisible(false);
	EXPECT_TRUE(renderPass().empty());
	scene.tick(1);
	EXPECT_EQ(node->getParticles().size(), 6u);
	EXPECT_EQ(node->getParticles()[0].age, 30);
}

TEST_F(ParticleSystemNodeTest, AStoppedEmitterLetsTheParticlesLiveOutAndTheUpdateStop)
{
	PointEmitter* cached = cacheEmitter("Smoke", 100.0f);
	cached->setLifeTimeRange({100.0f, 100.0f});
	makeNodeWithFrame();
	node->setEmitterName("Smoke");
	// The first update finds no particles yet and stops; the next render pass restarts it.
	frames(2);
	EXPECT_EQ(node->getParticles().size(), 6u);
	node->setEmitterEnabled(false);
	EXPECT_FALSE(node->getEmitter()->isAttached());
	// The second batch was aged in the frame it was born in, after the emitter ran.
	frames(2);
	ASSERT_EQ(node->getParticles().size(), 6u);
	EXPECT_EQ(node->getParticles()[5].age, 90);
	frames(1);
	EXPECT_TRUE(node->getParticles().empty());
	scene.tick(1);
	EXPECT_EQ(node->getScheduler(), nullptr);
	renderPass();
	EXPECT_EQ(node->getScheduler(), scene.scheduler.get());
	EXPECT_FALSE(node->getEmitter()->isAttached());
}

TEST_F(ParticleSystemNodeTest, WithoutFrameParticlesPileUpToTheCapacityUnaged)
{
	cacheEmitter("Storm", 10000.0f);
	makeNode();
	node->setEmitterName("Storm");
	renderPass();
	scene.tick(5);
	ASSERT_EQ(node->getParticles().size(), 500u);
	EXPECT_EQ(node->getParticles()[0].age, 0);
	EXPECT_EQ(node->getParticles().allocated_size(), 500u);
	EXPECT_TRUE(renderPass().empty());
}

TEST_F(ParticleSystemNodeTest, GlobalParticlesKeepTheirPathsWhenTheNodeMoves)
{
	cacheEmitter("Trail", 100.0f);
	makeNodeWithFrame();
	node->setGlobal(true);
	node->setPosition({100.0f, 50.0f, 0.0f});
	node->setEmitterName("Trail");
	frames(1);
	ASSERT_EQ(node->getParticles().size(), 3u);
	EXPECT_FLOAT_EQ(node->getParticles()[0].x, 100.0f);
	EXPECT_FLOAT_EQ(node->getParticles()[0].y, 50.0f);

	node->setPosition({200.0f, 50.0f, 0.0f});
	frames(1);
	ASSERT_EQ(node->getParticles().size(), 6u);
	EXPECT_FLOAT_EQ(node->getParticles()[0].x, 100.0f);
	EXPECT_FLOAT_EQ(node->getParticles()[5].x, 200.0f);

	// In node space the emitter stays at the node's origin.
	node->setGlobal(false);
	node->getParticles().clear();
	node->getParticles().reallocate(500);
	frames(1);
	node->getEmitter()->setPosition({0.0f, 0.0f});
	frames(1);
	ASSERT_FALSE(node->getParticles().empty());
	EXPECT_FLOAT_EQ(node->getParticles()[node->getParticles().size() - 1].x, 0.0f);
}

TEST_F(ParticleSystemNodeTest, PropertiesAreWrittenReadAndCloned)
{
	cacheEmitter("Smoke");
	makeNodeWithFrame();
	CPropertyCollection defaults;
	node->writeProperties(defaults);
	const int baseCount = defaults.getCount();
	EXPECT_EQ(defaults.indexOf("Enabled"), -1);

	node->setEmitterName("Smoke");
	node->setEnabled(false);
	node->setGlobal(true);
	CPropertyCollection written;
	node->writeProperties(written);
	EXPECT_EQ(written.getCount(), baseCount + 3);
	EXPECT_EQ(written.getString("EmitterName"), irr::core::stringc("Smoke"));
	EXPECT_EQ(written.getBool("Global"), true);
	EXPECT_EQ(written.indexOf("Enabled"), written.getCount() - 2);
	EXPECT_EQ(written.indexOf("EmitterEnabled"), -1);

	SmartPointer<ParticleSystemNode> read(new ParticleSystemNode(ContentRef(manager, "y"), nullptr, &scene));
	read->readProperties(written);
	EXPECT_EQ(read->getEmitterName(), irr::core::stringc("Smoke"));
	EXPECT_FALSE(read->isEnabled());
	EXPECT_TRUE(read->isGlobal());

	node->getParticles().push_back(restingParticle(0, 0, 100));
	SmartPointer<BaseNode> cloned(node->clone());
	auto* copy = nodeCast<ParticleSystemNode>(cloned.get());
	ASSERT_NE(copy, nullptr);
	ASSERT_NE(copy->getEmitter(), nullptr);
	EXPECT_NE(copy->getEmitter(), node->getEmitter());
	EXPECT_EQ(copy->getEmitter()->getParticles(), &copy->getParticles());
	EXPECT_EQ(copy->getAtlasTexture(), frame.get());
	EXPECT_TRUE(copy->getParticles().empty());
	EXPECT_FALSE(copy->isEnabled());
	EXPECT_TRUE(copy->isGlobal());

	// Through the property table: another type gives false.
	EXPECT_TRUE(copy->setPropertyByName("Global", makeIntValue(1)));
	EXPECT_FALSE(copy->isGlobal());
	SmartPointer<IPropertyData> frameValue = node->getPropertyByName("AtlasTexture");
	ASSERT_TRUE(frameValue);
	EXPECT_EQ(frameValue->typeId(), PROPERTY_ATLAS_TEXTURE);
	EXPECT_TRUE(copy->setPropertyByName("AtlasTexture", makeIntValue(3)));
	EXPECT_EQ(copy->getAtlasTexture(), nullptr);
	EXPECT_TRUE(copy->setPropertyByName("AtlasTexture", frameValue));
	EXPECT_EQ(copy->getAtlasTexture(), frame.get());
}

TEST_F(ParticleSystemNodeTest, ANodeDroppedWhileScheduledLeavesNothingRunning)
{
	cacheEmitter("Smoke", 100.0f);
	makeNodeWithFrame();
	node->setEmitterName("Smoke");
	renderPass();
	scene.tick(2);
	SmartPointer<BaseEmitter> emitter(shareRef(node->getEmitter()));
	node = SmartPointer<ParticleSystemNode>();
	scene.tick(3);
	EXPECT_FALSE(emitter->isAttached());
	EXPECT_EQ(emitter->getParticles(), nullptr);
	EXPECT_EQ(scene.scheduler->getTaskCount(), 0);
}
} // namespace
