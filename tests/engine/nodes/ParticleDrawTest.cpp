#include "ParticleTestSupport.h"

#include "content/CQuadBatcher.h"
#include "content/CTexture.h"
#include "content/EngineMaterials.h"
#include "content/TextureContent.h"
#include "nodes/ParticleSystemNode.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>
#include <unistd.h>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
constexpr irr::u32 windowWidth = 160;
constexpr irr::u32 windowHeight = 120;

// Xvfb now and then refuses a connection it accepts a moment later.
Display* openTestDisplay()
{
	for (int attempt = 0; attempt < 5; ++attempt)
	{
		if (Display* display = XOpenDisplay(nullptr))
			return display;
		usleep(20000);
	}
	return nullptr;
}

// A particle system drawn into a real OpenGL window; the window's pixels are read from the X server.
class ParticleDraw : public ::testing::Test
{
protected:
	void SetUp() override
	{
		const char* display = std::getenv("DISPLAY");
		if (!display || !*display)
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_OPENGL;
		parameters.WindowSize = irr::core::dimension2du(windowWidth, windowHeight);
		parameters.LoggingLevel = irr::ELL_NONE;
		for (int attempt = 0; attempt < 3 && !device; ++attempt)
			device = irr::createDeviceEx(parameters);
		if (!device)
			GTEST_SKIP() << "no OpenGL driver";
		driver = device->getVideoDriver();
		ASSERT_TRUE(EngineMaterials::registerMaterials(driver));

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
		if (device)
		{
			CQuadBatcher::releaseForDriver(driver);
			device->closeDevice();
			device->run();
			device->drop();
		}
	}

	// One frame cleared to dark blue with the node drawn through the batcher.
	void drawFrame(ParticleSystemNode* node)
	{
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 64)));
		CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
		batcher->begin();
		RenderList list;
		node->addToRenderList(list);
		for (irr::u32 i = 0; i < list.size(); ++i)
			list[i].node->draw(driver, nullptr);
		batcher->end();
		ASSERT_TRUE(driver->endScene());
	}

	// RGB of the window's pixels at the given points.
	std::vector<unsigned long> windowPixels(const std::vector<std::pair<int, int>>& points)
	{
		std::vector<unsigned long> out;
		Display* display = openTestDisplay();
		if (!display)
			return out;
		const Window window = driver->getExposedVideoData().OpenGLLinux.X11Window;
		XImage* shot = XGetImage(display, window, 0, 0, windowWidth, windowHeight, AllPlanes, ZPixmap);
		if (shot)
		{
			for (const auto& point : points)
				out.push_back(XGetPixel(shot, point.first, point.second) & 0xFFFFFF);
			XDestroyImage(shot);
		}
		XCloseDisplay(display);
		return out;
	}

	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
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
