#include "LinuxDeviceTestSupport.h"
#include "core/SmartPointer.h"
#include "device/CursorControl.h"
#include "support/LogCapture.h"
#include "support/OnScreenTest.h"

#include <gtest/gtest.h>
#include <irrlicht/IImage.h>
#include <irrlicht/IVideoDriver.h>
#include <irrlicht/IrrlichtDevice.h>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
using onscreen::openTestDisplay;

// An OpenGL device with a real window on the test display (xvfb-run -a).
class WindowedDevice : public testing::Test
{
protected:
	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		DeviceCreationParameters p;
		p.driverType = 3;
		p.windowWidth = 160;
		p.windowHeight = 120;
		p.colorBits = 24;
		device = new TestLinuxDevice(p);
		ASSERT_NE(nullptr, device->getVideoDriver());
		ASSERT_TRUE(device->hasWindow());
		ASSERT_NE(0ul, device->getWindowId()) << device->getVideoDriver()->getDriverType();
		device->drainMessages();
	}
	void TearDown() override
	{
		if (device)
			device->drop();
	}

	irr::SEvent mouseEvent(irr::EMOUSE_INPUT_EVENT type, int x, int y)
	{
		irr::SEvent e{};
		e.EventType = irr::EET_MOUSE_INPUT_EVENT;
		e.MouseInput.Event = type;
		e.MouseInput.X = x;
		e.MouseInput.Y = y;
		return e;
	}

	// Sends the window manager's close request, as the close box does.
	void pressCloseBox()
	{
		Display* display = openTestDisplay();
		ASSERT_NE(nullptr, display);
		XEvent event{};
		event.xclient.type = ClientMessage;
		event.xclient.window = device->getWindowId();
		event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
		event.xclient.format = 32;
		event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
		event.xclient.data.l[1] = CurrentTime;
		XSendEvent(display, device->getWindowId(), False, NoEventMask, &event);
		XSync(display, False);
		XCloseDisplay(display);
	}

	TestLinuxDevice* device = nullptr;
};
} // namespace

TEST_F(WindowedDevice, ClearedFrameReadsBackInTheClearColour)
{
	irr::video::IVideoDriver* driver = device->getVideoDriver();
	const irr::video::SColor colour(255, 200, 40, 10);
	// What the window shows: the library's screenshot reads the GL front buffer, which Mesa's
	// software rasteriser leaves empty under Xvfb, so the window's pixels are read from the server.
	Display* display = openTestDisplay();
	ASSERT_NE(nullptr, display);
	const std::pair<int, int> points[] = {{5, 5}, {80, 60}, {155, 115}};
	std::vector<unsigned long> seen;
	const auto pick = [&](const onscreen::WindowImage& shot)
	{
		seen.clear();
		for (auto [x, y] : points)
			seen.push_back(shot.at(x, y));
		return seen == std::vector<unsigned long>(3, 0xc8280aul);
	};
	const auto draw = [&]
	{
		ASSERT_TRUE(driver->beginScene(true, true, colour));
		ASSERT_TRUE(driver->endScene());
	};
	const onscreen::WindowImage shot =
	    onscreen::drawUntilShown(display, device->getWindowId(), 0, 0, 160, 120, draw, pick, 100);
	ASSERT_FALSE(shot.empty());
	EXPECT_EQ(seen, std::vector<unsigned long>(3, 0xc8280aul));
	XCloseDisplay(display);
}

TEST_F(WindowedDevice, InputReachesListenersInPriorityOrderUntilConsumed)
{
	std::vector<std::string> order;
	SmartPointer<RecordingListener> low(new RecordingListener(&order, "-1"));
	SmartPointer<RecordingListener> zero(new RecordingListener(&order, "0"));
	SmartPointer<RecordingListener> one(new RecordingListener(&order, "1", CEventInputMouseLeftDown::TypeId));
	SmartPointer<RecordingListener> two(new RecordingListener(&order, "2"));
	device->addEventListener(two.get(), 2);
	device->addEventListener(zero.get(), 0);
	device->addEventListener(one.get(), 1);
	device->addEventListener(low.get(), -1);

	device->getLibraryDevice()->postEventFromUser(mouseEvent(irr::EMIE_LMOUSE_PRESSED_DOWN, 10, 20));
	device->drainMessages();
	EXPECT_EQ((std::vector<std::string>{"-1", "0", "1"}), order);
	EXPECT_EQ(10, one->lastX);
	EXPECT_EQ(20, one->lastY);
	EXPECT_EQ(1, CLinuxDevice::getCaptureCount());

	order.clear();
	irr::SEvent key{};
	key.EventType = irr::EET_KEY_INPUT_EVENT;
	key.KeyInput.Key = irr::KEY_LEFT;
	key.KeyInput.PressedDown = true;
	key.KeyInput.Shift = true;
	device->getLibraryDevice()->postEventFromUser(key);
	device->getLibraryDevice()->postEventFromUser(mouseEvent(irr::EMIE_LMOUSE_LEFT_UP, -4, 30));
	device->drainMessages();
	EXPECT_EQ((std::vector<std::string>{"-1", "0", "1", "2", "-1", "0", "1", "2"}), order);
	EXPECT_EQ(37, two->lastKey);
	EXPECT_TRUE(two->lastShift);
	EXPECT_EQ(CEventInputMouseLeftUp::TypeId, two->ids.back());
	EXPECT_EQ(-4, two->lastX);
	EXPECT_EQ(0, CLinuxDevice::getCaptureCount());
}

TEST_F(WindowedDevice, WheelNotchesPassThrough)
{
	SmartPointer<RecordingListener> listener(new RecordingListener());
	device->addEventListener(listener.get(), 0);
	irr::SEvent wheel = mouseEvent(irr::EMIE_MOUSE_WHEEL, 3, 4);
	wheel.MouseInput.Wheel = -1.0f;
	device->getLibraryDevice()->postEventFromUser(wheel);
	device->drainMessages();
	ASSERT_EQ(1, listener->count(CEventInputMouseWheel::TypeId));
	EXPECT_FLOAT_EQ(-1.0f, listener->lastWheel);
}

TEST_F(WindowedDevice, ConsumedCloseBoxKeepsTheWindow)
{
	LogCapture log;
	SmartPointer<RecordingListener> keeper(new RecordingListener(nullptr, "", CEventSystemFlowCloseRequest::TypeId));
	device->addEventListener(keeper.get(), 0);
	pressCloseBox();
	for (int i = 0; i < 100 && keeper->count(CEventSystemFlowCloseRequest::TypeId) == 0; ++i)
		device->pump(true);
	EXPECT_EQ(1, keeper->count(CEventSystemFlowCloseRequest::TypeId));
	EXPECT_TRUE(log.contains("SC_CLOSE command received", 0));
	EXPECT_TRUE(device->hasWindow());
	EXPECT_TRUE(device->getLibraryDevice()->run()) << "the library device still runs";
	EXPECT_EQ(0, keeper->count(CEventSystemFlowDestroy::TypeId));
}

TEST_F(WindowedDevice, CloseBoxWithoutObjectionDestroysTheWindowAndEndsTheLoop)
{
	SmartPointer<RecordingListener> listener(new RecordingListener());
	device->addEventListener(listener.get(), 0);
	pressCloseBox();
	device->run();
	EXPECT_EQ(1, listener->count(CEventSystemFlowCloseRequest::TypeId));
	EXPECT_EQ(1, listener->count(CEventSystemFlowDestroy::TypeId));
	EXPECT_FALSE(device->hasWindow());
	EXPECT_FALSE(device->isRunning());
}

TEST_F(WindowedDevice, CursorControlFollowsTheWindowPointer)
{
	CursorControl* cursor = device->getCursorControl();
	ASSERT_NE(nullptr, cursor);
	cursor->setPosition({40, 30});
	cursor->update();
	EXPECT_EQ(irr::core::position2di(40, 30), cursor->getPosition());
}

TEST_F(WindowedDevice, RecreatingTheDeviceKeepsTheCursorControlAndMakesANewWindow)
{
	CursorControl* cursor = device->getCursorControl();
	unsigned long oldWindow = device->getWindowId();
	DeviceCreationParameters p = device->getCreationParameters();
	p.windowWidth = 200;
	p.windowHeight = 100;
	LogCapture log;
	ASSERT_TRUE(device->setCreationParameters(p)) << log.dump();
	EXPECT_EQ(cursor, device->getCursorControl());
	EXPECT_NE(0ul, device->getWindowId()) << log.dump();
	(void)oldWindow; // the X server may hand out the freed id again
	EXPECT_EQ(irr::core::dimension2du(200, 100), device->getVideoDriver()->getScreenSize());
}

TEST_F(WindowedDevice, WindowOpensCentredOnTheScreen)
{
	Display* display = openTestDisplay();
	ASSERT_NE(nullptr, display);
	const Window window = device->getWindowId();
	int x = -1;
	int y = -1;
	Window child = 0;
	ASSERT_TRUE(XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child));
	// The test display has no window manager, so there is no frame around the window.
	EXPECT_EQ((DisplayWidth(display, DefaultScreen(display)) - 160) / 2, x);
	EXPECT_EQ((DisplayHeight(display, DefaultScreen(display)) - 120) / 2, y);
	XCloseDisplay(display);
}

// The test display's server has no gamma ramps (no XFree86 video mode extension): both calls
// report failure, and asking leaves the window working.
TEST_F(WindowedDevice, GammaWithoutScreenRampsReportsFailure)
{
	Display* display = openTestDisplay();
	ASSERT_NE(nullptr, display);
	int opcode = 0, event = 0, error = 0;
	const bool hasRamps = XQueryExtension(display, "XFree86-VidModeExtension", &opcode, &event, &error);
	XCloseDisplay(display);
	if (hasRamps)
		GTEST_SKIP() << "the display has gamma ramps; its gamma is not changed by tests";

	LogCapture log;
	EXPECT_FALSE(device->setGammaRamp(1.0f, 1.0f, 1.0f, 0.0f, 0.0f));
	float red = 5.0f, green = 5.0f, blue = 5.0f, brightness = 5.0f, contrast = 5.0f;
	EXPECT_FALSE(device->getGammaRamp(red, green, blue, brightness, contrast));
	EXPECT_EQ(0.0f, brightness);
	EXPECT_EQ(0.0f, contrast);
	EXPECT_EQ(0u, log.problemCount()) << log.dump();
	EXPECT_TRUE(device->hasWindow());
}
