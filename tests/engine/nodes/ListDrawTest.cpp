#include "ListTestSupport.h"
#include "content/AtlasTexture.h"
#include "content/CQuadBatcher.h"
#include "content/CTexture.h"
#include "content/EngineMaterials.h"
#include "content/TextureContent.h"
#include "nodes/ListNode.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>
#include <unistd.h>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace widgettest;

namespace
{
constexpr irr::u32 windowWidth = 120;
constexpr irr::u32 windowHeight = 240;

Display* openListDisplay()
{
	// Xvfb now and then refuses a connection it accepts a moment later.
	for (int attempt = 0; attempt < 5; ++attempt)
	{
		if (Display* display = XOpenDisplay(nullptr))
			return display;
		usleep(20000);
	}
	return nullptr;
}

// A vertical list of 40 x 40 elements whose "Image" part stretches its frame over the element.
std::string drawTemplates()
{
	const std::string image =
	    nodeXml("SpriteNode", "Image",
	            vectorProperty("Bounds", 40, 40) +
	                "<int Name=\"ImageStretchX\" Value=\"1\"/><int Name=\"ImageStretchY\" Value=\"1\"/>");
	return nodeXml("BaseNode", "List", "", nodeXml("BaseNode", "Element", vectorProperty("Bounds", 40, 40), image));
}

// A list drawn into a real OpenGL window; the window's pixels are read from the X server.
class ListDraw : public ::testing::Test
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
	}

	void TearDown() override
	{
		frames.clear();
		if (device)
		{
			CQuadBatcher::releaseForDriver(driver);
			device->closeDevice();
			device->run();
			device->drop();
		}
	}

	// A frame covering a whole 8 x 8 texture of one colour.
	AtlasTexture* solidFrame(irr::video::SColor colour)
	{
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(8, 8));
		image->fill(colour);
		SmartPointer<CTexture> texture(CTexture::createFromImage(driver, image, "solid.png"));
		image->drop();
		SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "solid.png", texture.get()));
		frames.emplace_back(
		    new AtlasTexture(ContentRef(), page.get(), {0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}));
		return frames.back().get();
	}

	void drawFrame(BaseNode* root)
	{
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 64)));
		CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
		batcher->begin();
		RenderList list;
		root->addToRenderList(list);
		for (irr::u32 i = 0; i < list.size(); ++i)
			list[i].node->draw(driver, nullptr);
		batcher->end();
		ASSERT_TRUE(driver->endScene());
	}

	std::vector<unsigned long> windowPixels(const std::vector<std::pair<int, int>>& points)
	{
		std::vector<unsigned long> out;
		Display* display = openListDisplay();
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
	std::vector<SmartPointer<AtlasTexture>> frames;
};

TEST_F(ListDraw, FiveItemsShowTheirPicturesInOrder)
{
	WidgetScene scene(drawTemplates());
	SmartPointer<ListNode> list(new ListNode());
	list->setBounds({40.0f, 200.0f, 0.0f});
	list->setCircular(false);
	scene.attach(list.get());
	list->setTemplateName(internStringId("List"));
	ASSERT_EQ(list->getElementCount(), 5);

	const unsigned long colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFFFFFF};
	list->setItemCount(5);
	for (unsigned i = 0; i < 5; ++i)
		list->setItemImage(i, 0, solidFrame(irr::video::SColor(0xFF000000u | colours[i])));
	list->refreshElements();
	drawFrame(scene.log.get());

	std::vector<std::pair<int, int>> points;
	for (int i = 0; i < 5; ++i)
		points.push_back({20, 20 + 40 * i});
	points.push_back({80, 20});
	const std::vector<unsigned long> pixels = windowPixels(points);
	ASSERT_EQ(pixels.size(), 6u);
	for (int i = 0; i < 5; ++i)
		EXPECT_EQ(pixels[i], colours[i]) << "element " << i << " " << std::hex << pixels[i];
	EXPECT_EQ(pixels[5], 0x000040ul) << std::hex << pixels[5];

	// Four items leave the last element hidden; the pictures stay with their items.
	list->setItemCount(4);
	list->setTopItem(1);
	drawFrame(scene.log.get());
	const std::vector<unsigned long> after = windowPixels({{20, 20}, {20, 140}, {20, 180}});
	ASSERT_EQ(after.size(), 3u);
	EXPECT_EQ(after[0], colours[0]) << std::hex << after[0];
	EXPECT_EQ(after[1], colours[3]) << std::hex << after[1];
	EXPECT_EQ(after[2], 0x000040ul) << std::hex << after[2];
}
} // namespace
