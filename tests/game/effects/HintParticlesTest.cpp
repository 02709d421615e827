#include "EffectTestSupport.h"
#include "effects/GHOHintParticlesNode.h"

#include <gtest/gtest.h>

using irr::core::vector2df;

namespace
{
// A hint node read from a "HintParticle" file with the given inner XML.
// One reference for the caller.
GHOHintParticlesNode* hintNode(const std::string& inner)
{
	auto* node = new GHOHintParticlesNode();
	const std::string text = "<?xml version=\"1.0\"?>\n<HintParticle>\n" + inner + "</HintParticle>\n";
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	EXPECT_TRUE(node->readConfiguration(reader.get()));
	return node;
}

const char* const tenLongLived =
    "<ParticlesDensity Value=\"10;10\"/>\n<ParticlesLifetimeRange Value=\"100000;100000\"/>\n";
} // namespace

// PPS starts at 0 (no bursts); a density below 1 gives empty bursts; lifetime 0 gives particles that
// are dead at birth and never take a place or a quad.
TEST(HintParticles, NothingIsEmittedWithoutRateDensityOrLife)
{
	struct Case
	{
		const char* story;
		std::string file;
	};
	const Case cases[] = {
	    {"no PPS", tenLongLived},
	    {"density 0.5", "<PPS Value=\"100\"/><ParticlesDensity Value=\"0.5;0.5\"/>"
	                    "<ParticlesLifetimeRange Value=\"1000;1000\"/>"},
	    {"lifetime 0", "<PPS Value=\"100\"/><ParticlesDensity Value=\"10;10\"/>"},
	};
	for (const Case& c : cases)
	{
		SmartPointer<GHOHintParticlesNode> node(hintNode(c.file));
		node->emit(1000);
		EXPECT_EQ(node->getParticleCount(), 0u) << c.story;
	}
	EXPECT_EQ(GHOHintParticlesNode().getPPS(), 0);
}

// A burst of 10 with 4090 particles alive emits the 6 that fit; each burst is a ring on the ellipse.
TEST(HintParticles, BurstsAreRingsCutToTheCapacity)
{
	SmartPointer<GHOHintParticlesNode> node(hintNode(std::string(tenLongLived) +
	                                                 "<PPS Value=\"409\"/><EmitRadiusXRange Value=\"30;30\"/>"
	                                                 "<EmitRadiusYRange Value=\"10, 10\"/>"));
	node->emit(1000);
	ASSERT_EQ(node->getParticleCount(), 4090u);
	for (irr::u32 i = 0; i < 10; ++i)
	{
		const HintParticleRecord& p = node->getParticles()[i];
		EXPECT_NEAR(p.x * p.x / 900.0f + p.y * p.y / 100.0f, 1.0f, 0.001f);
	}
	node->emit(3);
	EXPECT_EQ(node->getParticleCount(), 4096u);
}

// Timelines: (0, 0)-(1, 1) gives scale = age, a single key a constant, none the birth defaults; keys at
// one time do not divide by zero; an age jumping past two keys takes the first, the second an update later.
TEST(HintParticles, TimelinesFollowTheParticleAge)
{
	EffectFrames frames;
	EffectScene scene;
	GHOHintParticlesNode* node = scene.add(hintNode("<PPS Value=\"2\"/><ParticlesDensity Value=\"1;1\"/>"
	                                                "<ParticlesLifetimeRange Value=\"1000;1000\"/>"
	                                                "<ParticlesTimeline>"
	                                                "<Scale><k T=\"0\" V=\"0\"/><k T=\"1\" V=\"1\"/></Scale>"
	                                                "<AngularVelocity><k T=\"0\" V=\"90\"/></AngularVelocity>"
	                                                "<ColorA><k T=\"0\" V=\"1\"/><k T=\"0.2\" V=\"1\"/>"
	                                                "<k T=\"0.2\" V=\"0.5\"/><k T=\"0.3\" V=\"0\"/></ColorA>"
	                                                "</ParticlesTimeline>"));
	SmartPointer<AtlasTexture> frame(frames.makeFrame(16, 8));
	node->setAtlasTexture(frame.get());
	node->setEnabled(false);
	node->setEnabled(true);
	scene.render(); // the pre-warm: one burst of one
	ASSERT_EQ(node->getParticleCount(), 1u);
	node->setEnabled(false);
	node->run(100);
	const HintParticleRecord& p = node->getParticles()[0];
	EXPECT_NEAR(p.scale, 0.1f, 0.0001f);
	EXPECT_EQ(p.angularVelocity, 90.0f);
	EXPECT_EQ(p.alpha, 1.0f);
	node->run(150); // age 0.25: passes the keys at 0.2 one at a time
	EXPECT_EQ(p.alpha, 1.0f);
	node->run(10);
	EXPECT_EQ(p.alpha, 0.5f) << "the key at the same time is taken without a slope";
	node->run(10);
	EXPECT_NEAR(p.alpha, 0.5f - 0.5f * (0.27f - 0.2f) / 0.1f, 0.0001f);
}

// Alpha 1 is the byte 255 and stays 255 above 1 (it does not wrap); the node's tint scales the colour.
TEST(HintParticles, QuadColourFromAlphaAndTint)
{
	EffectFrames frames;
	EffectScene scene;
	for (const char* alpha : {"1", "1.5"})
	{
		GHOHintParticlesNode* node =
		    scene.add(hintNode(std::string("<PPS Value=\"2\"/><ParticlesDensity Value=\"1;1\"/>"
		                                   "<ParticlesLifetimeRange Value=\"1000;1000\"/><ParticlesTimeline><ColorA>"
		                                   "<k T=\"0\" V=\"") +
		                       alpha + "\"/></ColorA></ParticlesTimeline>"));
		node->setTintColor(irr::video::SColor(255, 255, 128, 255));
		SmartPointer<AtlasTexture> frame(frames.makeFrame(16, 8));
		node->setAtlasTexture(frame.get());
		scene.render();
		node->run(30);
		const BatchVertex& vertex = node->getMesh().getVertices()[0];
		EXPECT_EQ(irr::video::SColor(vertex.color), irr::video::SColor(255, 255, 128, 255)) << alpha;
	}
}

// No atlas: nothing starts. Enabled off: the living particles finish, then the task stops; on again,
// the next render pass starts afresh with a pre-warm.
TEST(HintParticles, LifeCycleFollowsAtlasAndEnabled)
{
	EffectFrames frames;
	EffectScene scene;
	GHOHintParticlesNode* node = scene.add(hintNode(std::string(tenLongLived) + "<PPS Value=\"10\"/>"));
	scene.render();
	EXPECT_EQ(node->getScheduler(), nullptr);
	EXPECT_EQ(node->getParticleCount(), 0u);

	SmartPointer<AtlasTexture> frame(frames.makeFrame(16, 8));
	node->setAtlasTexture(frame.get());
	scene.render();
	EXPECT_EQ(node->getScheduler(), scene.scheduler.get());
	EXPECT_EQ(node->getParticleCount(), 50u) << "half a second of bursts";
	node->setEnabled(false);
	scene.tick(10);
	EXPECT_EQ(node->getParticleCount(), 50u);
	node->setConfigurationFilename("no/such/file.xml");
	EXPECT_EQ(node->getParticleCount(), 0u);
	EXPECT_EQ(node->getPPS(), 10) << "an unreadable file changes nothing";
	scene.tick(1);
	EXPECT_EQ(node->getScheduler(), nullptr);
	node->setEnabled(true);
	scene.render();
	EXPECT_EQ(node->getParticleCount(), 50u);
}
