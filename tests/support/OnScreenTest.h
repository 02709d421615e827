#pragma once

#include <functional>
#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Xlib's own name for a server connection, declared here so tests need not include Xlib and its macros.
typedef struct _XDisplay Display;

class BaseNode;

// Shared pieces of the tests that draw into a real OpenGL window on the test display (xvfb-run -a)
// and read the window's pixels back from the X server: the library's screenshot reads the GL front
// buffer, which Mesa leaves empty under Xvfb.
namespace onscreen
{
using Point = std::pair<int, int>;

// Whether $DISPLAY names an X display to draw on.
bool hasDisplay();

// Opens the test display, retrying because Xvfb now and then refuses a connection it accepts a moment later.
Display* openTestDisplay(int attempts = 5);

// An OpenGL library device with a window of the given size, retried like the display; null without OpenGL.
irr::IrrlichtDevice* createOpenGLDevice(irr::u32 width, irr::u32 height);

// The X window a driver draws into.
unsigned long windowOf(irr::video::IVideoDriver* driver);

// RGB pixels (0xRRGGBB) of a window rectangle as the X server shows it.
struct WindowImage
{
	int width = 0, height = 0;
	std::vector<unsigned long> pixels;

	bool empty() const { return pixels.empty(); }
	unsigned long at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// Reads a rectangle of the window after syncing with the server; empty when it cannot be read.
WindowImage grabWindow(Display* display, unsigned long window, int x, int y, int width, int height);

// RGB of the window's pixels at the given points; empty when the server cannot be reached.
std::vector<unsigned long> windowPixels(unsigned long window, int width, int height, const std::vector<Point>& points);

// Draws and reads the rectangle again until shown() accepts it or the attempts run out (a busy server
// may show the swapped frame a little later); returns the last image read.
WindowImage drawUntilShown(Display* display, unsigned long window, int x, int y, int width, int height,
                           const std::function<void()>& draw, const std::function<bool(const WindowImage&)>& shown,
                           int attempts);

// Opens the test display, draws and reads the window's top-left width x height with drawUntilShown and
// closes the display again; empty when the display cannot be opened.
WindowImage shootWindow(unsigned long window, int width, int height, const std::function<void()>& draw,
                        const std::function<bool(const WindowImage&)>& shown, int attempts);

// Whether every 8-bit channel of two colours differs by at most the tolerance.
bool coloursNear(unsigned long actual, unsigned long expected, int tolerance);

// The 8-bit channels of a pixel.
struct Rgb
{
	int r, g, b;
	bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
	bool operator!=(const Rgb& o) const { return !(*this == o); }
	int sum() const { return r + g + b; }
};

inline Rgb rgbOf(unsigned long pixel)
{
	return {static_cast<int>((pixel >> 16) & 0xff), static_cast<int>((pixel >> 8) & 0xff),
	        static_cast<int>(pixel & 0xff)};
}

inline std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
	return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// A window image read as channels.
class WindowShot : public WindowImage
{
public:
	WindowShot() = default;
	explicit WindowShot(WindowImage image) : WindowImage(std::move(image)) {}

	Rgb at(int x, int y) const { return rgbOf(WindowImage::at(x, y)); }
	// Pixels of the rectangle [x0, x1) x [y0, y1) that pass the test.
	template <class Test> int count(int x0, int y0, int x1, int y1, Test test) const
	{
		int n = 0;
		for (int y = y0; y < y1; ++y)
			for (int x = x0; x < x1; ++x)
				n += test(at(x, y)) ? 1 : 0;
		return n;
	}
};

// Writes the image as an opaque PNG through the driver's image writers.
bool writePng(irr::video::IVideoDriver* driver, const WindowImage& image, const std::string& path);

// $TEST_BINARY_DIR, else the working folder.
std::string testBinaryFolder();
// Writes the image as the PNG <buildFolder>/artifacts/<name>, making the folder when it is missing.
bool writeArtifact(irr::video::IVideoDriver* driver, const WindowImage& image, const std::string& name,
                   const std::string& buildFolder = testBinaryFolder());

// Fixture owning an OpenGL device with a window of a fixed size; skips without a display or OpenGL.
class OnScreenTest : public ::testing::Test
{
protected:
	OnScreenTest(irr::u32 width, irr::u32 height) : windowWidth(width), windowHeight(height) {}

	// Derived SetUps call this first and return when IsSkipped() or HasFatalFailure().
	void SetUp() override;
	// Releases the driver's quad batcher and closes the device; derived TearDowns call it last.
	void TearDown() override;

	// One frame cleared to the colour, with the node's render list drawn through the driver's quad batcher.
	void drawBatched(BaseNode* root, irr::video::SColor clear);
	// RGB of this fixture's window at the given points.
	std::vector<unsigned long> windowPixels(const std::vector<Point>& points) const;

	const irr::u32 windowWidth;
	const irr::u32 windowHeight;
	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
};
} // namespace onscreen
