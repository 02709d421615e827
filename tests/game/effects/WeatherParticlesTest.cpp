#include "EffectTestSupport.h"
#include "effects/GWeatherParticlesNode.h"

#include <cmath>
#include <gtest/gtest.h>

using irr::core::vector2df;

namespace
{
// One reference for the caller.
GWeatherParticlesNode* weatherNode(const std::string& inner)
{
	auto* node = new GWeatherParticlesNode();
	const std::string text = "<?xml version=\"1.0\"?>\n<WeatherParticle>\n" + inner + "</WeatherParticle>\n";
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	EXPECT_TRUE(node->readConfiguration(reader.get()));
	return node;
}
} // namespace

// With the built-in defaults the drops start at y -20, x in -20..1044, and fly at 200 to 250 towards
// (512, 2000), turned to face that way.
TEST(WeatherParticles, DefaultsRainTowardsTheCentrePoint)
{
	seedRandom(6);
	SmartPointer<GWeatherParticlesNode> node =
	    weatherNode("<PPS Value=\"1000\"/><ParticleLifetimeRange Value=\"3000;3000\"/>");
	node->emit(100);
	ASSERT_EQ(node->getParticleCount(), 100u);
	for (irr::u32 i = 0; i < node->getParticleCount(); ++i)
	{
		const WeatherParticleRecord& p = node->getParticles()[i];
		ASSERT_EQ(p.y, -20.0f);
		ASSERT_GE(p.x, -20.0f);
		ASSERT_LE(p.x, 1044.0f);
		const vector2df velocity(p.vx, p.vy);
		ASSERT_GE(velocity.getLength(), 199.99f);
		ASSERT_LE(velocity.getLength(), 250.01f);
		vector2df towards = vector2df(512.0f, 2000.0f) - vector2df(p.x, p.y);
		towards.normalize();
		ASSERT_NEAR(velocity.X / velocity.getLength(), towards.X, 0.0001f);
		// The picture, drawn pointing down, is turned by angle onto the flight.
		ASSERT_NEAR(-std::sin(p.angle * irr::core::DEGTORAD), towards.X, 0.0001f);
	}
}

// A particle born on the centre point flies towards +x at angle 270; 2049 particles never live at once.
TEST(WeatherParticles, CentreBirthAndCapacity)
{
	SmartPointer<GWeatherParticlesNode> node =
	    weatherNode("<PPS Value=\"1000\"/><ParticleLifetimeRange Value=\"100000;100000\"/>"
	                "<EmitRectangleXSize Value=\"512;512\"/><EmitRectangleYSize Value=\"-20;0\"/>"
	                "<CenterPoint Value=\"512;-20\"/>");
	node->emit(1);
	ASSERT_EQ(node->getParticleCount(), 1u);
	EXPECT_EQ(node->getParticles()[0].angle, 270.0f);
	EXPECT_GT(node->getParticles()[0].vx, 0.0f);
	node->emit(5000);
	EXPECT_EQ(node->getParticleCount(), GWeatherParticlesNode::Capacity);
}

// The sway: none with period 0 (the phase stays 0); at phase 0 the full amplitude along the normal,
// scaled by the X scale; X and Y scales act on their own.
TEST(WeatherParticles, SwayAndSeparateScales)
{
	EffectFrames frames;
	EffectScene scene;
	for (const char* period : {"0;0", "1;1"})
	{
		GWeatherParticlesNode* node =
		    scene.add(weatherNode(std::string("<PPS Value=\"2\"/><ParticleLifetimeRange Value=\"100000;100000\"/>"
		                                      "<EmitRectangleXSize Value=\"100;100\"/><CenterPoint Value=\"100;2000\"/>"
		                                      "<ParticleNormalDeltaRange Value=\"10;10\"/>"
		                                      "<ParticleNormalDeltaPeriodRange Value=\"") +
		                          period +
		                          "\"/><ParticleTimeline><ScaleX><k T=\"0\" V=\"2\"/></ScaleX>"
		                          "<ScaleY><k T=\"0\" V=\"3\"/></ScaleY></ParticleTimeline>"));
		SmartPointer<AtlasTexture> frame(frames.makeFrame(4, 10));
		node->setAtlasTexture(frame.get());
		scene.render(); // one particle, pre-warmed, mesh built at once
		ASSERT_EQ(node->getParticleCount(), 1u);
		const WeatherParticleRecord& p = node->getParticles()[0];
		// A period of 1 ms always starts at phase 0.
		const float sway = p.swayPeriod > 0 ? 20.0f : 0.0f;
		ASSERT_EQ(p.swayPhase, 0);
		const auto& v = node->getMesh().getVertices();
		const float centreX = (v[0].x + v[2].x) * 0.5f;
		EXPECT_NEAR(centreX, p.x + p.nx * sway, 0.001f) << period;
		EXPECT_NEAR(v[2].x - v[0].x, 4.0f * 2.0f, 0.001f) << "width by the X scale";
		EXPECT_NEAR(v[2].y - v[0].y, 10.0f * 3.0f, 0.001f) << "height by the Y scale";
		if (p.swayPeriod == 0)
		{
			node->run(30);
			EXPECT_EQ(p.swayPhase, 0);
		}
	}
}
