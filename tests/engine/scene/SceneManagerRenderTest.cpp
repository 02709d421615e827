#include "QuadTestNode.h"
#include "content/EngineMaterials.h"
#include "core/SmartPointer.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "support/OnScreenTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>

namespace
{
const irr::u32 texels[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF}};

// A scene manager drawing on OpenGL into a 256x256 render target that the test reads back
// (the library's screenshot reads the front buffer, black under Xvfb after the swap).
class SceneManagerRender : public onscreen::OnScreenTest
{
protected:
	SceneManagerRender() : OnScreenTest(256, 256) {}

	void SetUp() override
	{
		OnScreenTest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		target = driver->addRenderTargetTexture(irr::core::dimension2du(256, 256), "#scene", irr::video::ECF_A8R8G8B8);
		if (!target)
			GTEST_SKIP() << "no render targets";

		material.MaterialType = EngineMaterials::vertexAlpha(driver);
		material.setTexture(0, loadFixtureTexture());
		ASSERT_NE(material.getTexture(0), nullptr);
		material.TextureLayer[0].BilinearFilter = false;
		material.ZBuffer = irr::video::ECFN_NEVER;
		material.ZWriteEnable = false;

		manager = new SceneManager();
		manager->sortingEnabled = true;
		scene = new SceneNode();
		manager->showScene(scene.get());
	}
	void TearDown() override
	{
		scene = nullptr;
		manager = nullptr;
		OnScreenTest::TearDown();
	}

	// The 2x2 fixture picture written as PNG and loaded back as a texture.
	irr::video::ITexture* loadFixtureTexture()
	{
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(2, 2));
		for (irr::u32 y = 0; y < 2; ++y)
			for (irr::u32 x = 0; x < 2; ++x)
				image->setPixel(x, y, irr::video::SColor(texels[y][x]));
		const std::string path = folder.file("quads.png");
		const bool written = driver->writeImageToFile(image, path.c_str());
		image->drop();
		return written ? driver->getTexture(path.c_str()) : nullptr;
	}

	QuadTestNode* quad(float x, float y, float z, float size, irr::u32 tint = 0xFFFFFFFF)
	{
		SmartPointer<QuadTestNode> node(new QuadTestNode());
		node->setPosition({x, y, z});
		node->setBounds({size, size, 0.0f});
		node->setTintColor(tint);
		node->material = &material;
		scene->addChild(node.get());
		return node.get();
	}

	void drawFrame()
	{
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
		ASSERT_TRUE(driver->setRenderTarget(target, true, true, irr::video::SColor(255, 0, 0, 0)));
		manager->draw(driver);
		driver->setRenderTarget(nullptr);
		driver->endScene();
	}

	irr::u32 pixel(irr::u32 x, irr::u32 y)
	{
		const auto* pixels = static_cast<const irr::u32*>(target->lock(irr::video::ETLM_READ_ONLY));
		if (!pixels)
			return 0xDEADBEEF;
		const irr::u32 colour = pixels[y * (target->getPitch() / 4) + x] & 0xFFFFFF;
		target->unlock();
		return colour;
	}

	static bool near(irr::u32 actual, irr::u32 expected) { return onscreen::coloursNear(actual, expected, 3); }

	TempDir folder;
	irr::video::ITexture* target = nullptr;
	irr::video::SMaterial material;
	SmartPointer<SceneManager> manager;
	SmartPointer<SceneNode> scene;
};

struct PixelCase
{
	const char* label;
	irr::u32 x;
	irr::u32 y;
	irr::u32 expected;
};

TEST_F(SceneManagerRender, SceneQuadsShowTheirTexelsInDepthOrder)
{
	quad(0, 0, 0, 64);
	quad(128, 0, 0, 32, 0xFF808080);
	// Added first but deeper: the sorted list draws it over the dark quad at the same place.
	quad(192, 0, 2, 64);
	quad(192, 0, 1, 64, 0xFF000000);
	drawFrame();
	const std::vector<PixelCase> cases = {
	    {"red texel", 16, 16, 0xFF0000},
	    {"green texel", 48, 16, 0x00FF00},
	    {"blue texel, y grows downwards", 16, 48, 0x0000FF},
	    {"white texel", 48, 48, 0xFFFFFF},
	    {"tinted grey", 136, 8, 0x800000},
	    {"outside every quad", 100, 100, 0x000000},
	    {"higher z drawn last", 200, 16, 0xFF0000},
	};
	for (const PixelCase& c : cases)
		EXPECT_TRUE(near(pixel(c.x, c.y), c.expected)) << c.label << ": " << std::hex << pixel(c.x, c.y);

	scene->setVisible(false);
	drawFrame();
	EXPECT_TRUE(near(pixel(16, 16), 0x000000)) << "a hidden scene draws nothing";
}

TEST_F(SceneManagerRender, OneTextureBatchesUpTo1023QuadsPerDrawCall)
{
	for (int i = 0; i < 1023; ++i)
		quad(static_cast<float>(i % 8) * 32, static_cast<float>(i / 8 % 8) * 32, 0, 32);
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	irr::u32 before = batcher->getDrawCallCount();
	drawFrame();
	EXPECT_EQ(batcher->getDrawCallCount() - before, 1u);
	EXPECT_TRUE(near(pixel(8, 8), 0xFF0000));

	quad(0, 0, 0, 32);
	before = batcher->getDrawCallCount();
	drawFrame();
	EXPECT_EQ(batcher->getDrawCallCount() - before, 2u);
}
} // namespace
