#include "support/OnScreenTest.h"

#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"
#include "scene/BaseNode.h"
#include "scene/RenderEntry.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace onscreen
{
namespace
{
void pause(int milliseconds)
{
	std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
} // namespace

bool hasDisplay()
{
	const char* display = std::getenv("DISPLAY");
	return display && *display;
}

Display* openTestDisplay(int attempts)
{
	for (int attempt = 0; attempt < attempts; ++attempt)
	{
		if (Display* display = XOpenDisplay(nullptr))
			return display;
		pause(20);
	}
	return nullptr;
}

irr::IrrlichtDevice* createOpenGLDevice(irr::u32 width, irr::u32 height)
{
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_OPENGL;
	parameters.WindowSize = irr::core::dimension2du(width, height);
	parameters.LoggingLevel = irr::ELL_NONE;
	for (int attempt = 0; attempt < 5; ++attempt)
	{
		if (irr::IrrlichtDevice* device = irr::createDeviceEx(parameters))
			return device;
		pause(50);
	}
	return nullptr;
}

unsigned long windowOf(irr::video::IVideoDriver* driver)
{
	return static_cast<unsigned long>(driver->getExposedVideoData().OpenGLLinux.X11Window);
}

WindowImage grabWindow(Display* display, unsigned long window, int x, int y, int width, int height)
{
	WindowImage image;
	XSync(display, False);
	XImage* shot = XGetImage(display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
	                         AllPlanes, ZPixmap);
	if (!shot)
		return image;
	image.width = width;
	image.height = height;
	image.pixels.reserve(static_cast<size_t>(width * height));
	for (int row = 0; row < height; ++row)
		for (int column = 0; column < width; ++column)
			image.pixels.push_back(XGetPixel(shot, column, row) & 0xFFFFFF);
	XDestroyImage(shot);
	return image;
}

std::vector<unsigned long> windowPixels(unsigned long window, int width, int height, const std::vector<Point>& points)
{
	std::vector<unsigned long> out;
	Display* display = openTestDisplay();
	if (!display)
		return out;
	const WindowImage image = grabWindow(display, window, 0, 0, width, height);
	if (!image.empty())
		for (const Point& point : points)
			out.push_back(image.at(point.first, point.second));
	XCloseDisplay(display);
	return out;
}

WindowImage drawUntilShown(Display* display, unsigned long window, int x, int y, int width, int height,
                           const std::function<void()>& draw, const std::function<bool(const WindowImage&)>& shown,
                           int attempts)
{
	WindowImage image;
	for (int attempt = 0; attempt < attempts; ++attempt)
	{
		draw();
		image = grabWindow(display, window, x, y, width, height);
		if (!image.empty() && shown(image))
			break;
		pause(10);
	}
	return image;
}

WindowImage shootWindow(unsigned long window, int width, int height, const std::function<void()>& draw,
                        const std::function<bool(const WindowImage&)>& shown, int attempts)
{
	Display* display = openTestDisplay();
	if (!display)
		return WindowImage();
	WindowImage image = drawUntilShown(display, window, 0, 0, width, height, draw, shown, attempts);
	XCloseDisplay(display);
	return image;
}

bool coloursNear(unsigned long actual, unsigned long expected, int tolerance)
{
	for (int shift = 0; shift < 24; shift += 8)
	{
		const int a = static_cast<int>((actual >> shift) & 0xFF);
		const int e = static_cast<int>((expected >> shift) & 0xFF);
		if (std::abs(a - e) > tolerance)
			return false;
	}
	return true;
}

bool writePng(irr::video::IVideoDriver* driver, const WindowImage& image, const std::string& path)
{
	irr::video::IImage* picture =
	    driver->createImage(irr::video::ECF_R8G8B8, irr::core::dimension2du(static_cast<irr::u32>(image.width),
	                                                                        static_cast<irr::u32>(image.height)));
	if (!picture)
		return false;
	for (int y = 0; y < image.height; ++y)
		for (int x = 0; x < image.width; ++x)
			picture->setPixel(static_cast<irr::u32>(x), static_cast<irr::u32>(y),
			                  irr::video::SColor(0xFF000000u | static_cast<irr::u32>(image.at(x, y))));
	const bool written = driver->writeImageToFile(picture, path.c_str());
	picture->drop();
	return written;
}

std::string testBinaryFolder()
{
	const char* folder = std::getenv("TEST_BINARY_DIR");
	return folder ? folder : ".";
}

bool writeArtifact(irr::video::IVideoDriver* driver, const WindowImage& image, const std::string& name,
                   const std::string& buildFolder)
{
	const std::string folder = buildFolder + "/artifacts";
	std::filesystem::create_directories(folder);
	return writePng(driver, image, folder + "/" + name);
}

void OnScreenTest::SetUp()
{
	if (!hasDisplay())
		GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
	device = createOpenGLDevice(windowWidth, windowHeight);
	if (!device)
		GTEST_SKIP() << "no OpenGL driver";
	driver = device->getVideoDriver();
	ASSERT_TRUE(EngineMaterials::registerMaterials(driver));
}

void OnScreenTest::TearDown()
{
	if (!device)
		return;
	CQuadBatcher::releaseForDriver(driver);
	device->closeDevice();
	device->run();
	device->drop();
	device = nullptr;
	driver = nullptr;
}

void OnScreenTest::drawBatched(BaseNode* root, irr::video::SColor clear)
{
	ASSERT_TRUE(driver->beginScene(true, true, clear));
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	batcher->begin();
	RenderList list;
	root->addToRenderList(list);
	for (irr::u32 i = 0; i < list.size(); ++i)
		list[i].node->draw(driver, nullptr);
	batcher->end();
	ASSERT_TRUE(driver->endScene());
}

std::vector<unsigned long> OnScreenTest::windowPixels(const std::vector<Point>& points) const
{
	return onscreen::windowPixels(windowOf(driver), static_cast<int>(windowWidth), static_cast<int>(windowHeight),
	                              points);
}
} // namespace onscreen
