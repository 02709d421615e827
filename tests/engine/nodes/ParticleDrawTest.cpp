#include "ParticleTestSupport.h"

#include "content/CTexture.h"
#include "content/TextureContent.h"
#include "nodes/ParticleSystemNode.h"
#include "support/OnScreenTest.h"

#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>

namespace
{
// A particle system drawn into a real OpenGL window; the window's pixels are read from the X server.
class ParticleDraw : public onscreen::OnScreenTest
{
protected:
	ParticleDraw() : OnScreenTest(160, 120) {}

	void SetUp() override
	{
		OnScreenTest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(8, 8));
		image->fill(irr::video::SColor(0xFFFFFFFF));
		SmartPointer<CTexture> texture(CTexture::createFromImage(driver, image, "particle.png"));
		image->drop();
		ASSERT_TRUE(texture);
		SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "particle.png", texture.get()));
		frame = SmartPointer<AtlasTexture>(
		    new AtlasTexture(ContentRef(), page.get(), {0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}));
	}

	void TearDown() override
	{
		frame = SmartPointer<AtlasTexture>();
		OnScreenTest::TearDown();
	}

	// One frame cleared to dark blue with the node drawn through the batcher.
	void drawFrame(ParticleSystemNode* node) { drawBatched(node, irr::video::SColor(255, 0, 0, 64)); }

	SmartPointer<AtlasTexture> frame;
};

TEST_F(ParticleDraw, ParticlesShowOverTheBackgroundWhereTheyAre)
{
	SmartPointer<ParticleSystemNode> node(new ParticleSystemNode());
	node->setAtlasTexture(frame.get());
	node->setPosition({40.0f, 30.0f, 0.0f});
	node->refreshAbsolute();
	// Node space: (40, 30) + (40, 30) = (80, 60) on the screen; 8 x 8 at scale 2.
	Particle red = restingParticle(40.0f, 30.0f, 1000);
	red.scale = 2.0f;
	red.green = red.blue = 0.0f;
	Particle green = restingParticle(-20.0f, -10.0f, 1000);
	green.red = green.blue = 0.0f;
	node->getParticles().push_back(red);
	node->getParticles().push_back(green);
	ASSERT_TRUE(node->run(0));

	drawFrame(node.get());
	const std::vector<unsigned long> pixels = windowPixels({{80, 60}, {73, 53}, {20, 20}, {100, 100}, {90, 60}});
	ASSERT_EQ(pixels.size(), 5u);
	EXPECT_EQ(pixels[0], 0xFF0000ul) << std::hex << pixels[0];
	EXPECT_EQ(pixels[1], 0xFF0000ul) << std::hex << pixels[1];
	EXPECT_EQ(pixels[2], 0x00FF00ul) << std::hex << pixels[2];
	EXPECT_EQ(pixels[3], 0x000040ul) << std::hex << pixels[3];
	EXPECT_EQ(pixels[4], 0x000040ul) << std::hex << pixels[4];
}
} // namespace
