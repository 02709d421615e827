#include "LinuxDeviceTestSupport.h"
#include "core/SmartPointer.h"
#include "device/CTimer.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <irrlicht/IVideoDriver.h>

namespace
{
// A null-driver device (no window, no display) with one listener that sees everything.
class MessageTable : public testing::Test
{
protected:
	void SetUp() override
	{
		device = new TestLinuxDevice(nullDriverParameters());
		listener = new RecordingListener(nullptr, "all", consumeId());
		device->addEventListener(listener, 0);
	}
	void TearDown() override
	{
		listener->drop();
		device->drop();
	}
	virtual int consumeId() const { return -1; }

	long send(const WindowMessage& m) { return device->windowProc(m); }

	TestLinuxDevice* device = nullptr;
	RecordingListener* listener = nullptr;
};

using M = WindowMessageType;
} // namespace

TEST_F(MessageTable, NullDriverDeviceHasDriverButNoWindow)
{
	EXPECT_NE(nullptr, device->getVideoDriver());
	EXPECT_FALSE(device->hasWindow());
	EXPECT_EQ(nullptr, device->getCursorControl());
	EXPECT_FALSE(device->isWindowMinimized());
	EXPECT_FALSE(device->getVersionText().empty());
}

TEST_F(MessageTable, CaptureCountFollowsPressesAndReleases)
{
	struct Step
	{
		WindowMessageType type;
		int countAfter;
	};
	const Step steps[] = {{M::LeftButtonDown, 1}, {M::RightButtonDown, 2}, {M::LeftButtonUp, 1},
	                      {M::RightButtonUp, 0},  {M::MiddleButtonUp, 0},  {M::MiddleButtonDown, 1}};
	for (const Step& step : steps)
	{
		send(WindowMessage::mouse(step.type, 3, 4));
		EXPECT_EQ(step.countAfter, CLinuxDevice::getCaptureCount()) << static_cast<int>(step.type);
	}
	// Losing the capture (focus went elsewhere) resets the count with the next message.
	send(WindowMessage::mouse(M::CaptureLost, 0, 0));
	send(WindowMessage::mouse(M::MouseMove, 1, 1));
	EXPECT_EQ(0, CLinuxDevice::getCaptureCount());
}

TEST_F(MessageTable, MouseMessagesBecomeEventsWithSignedCoordinates)
{
	send(WindowMessage::mouse(M::LeftButtonDown, 5, 5));
	send(WindowMessage::mouse(M::MouseMove, -20, -7));
	EXPECT_EQ(CEventInputMouseMove::TypeId, listener->ids.back());
	EXPECT_EQ(-20, listener->lastX);
	EXPECT_EQ(-7, listener->lastY);
	send(WindowMessage::mouse(M::LeftButtonUp, -3, 2));
	EXPECT_EQ(CEventInputMouseLeftUp::TypeId, listener->ids.back());
	EXPECT_EQ(-3, listener->lastX);

	const std::pair<WindowMessageType, int> table[] = {{M::LeftButtonDown, CEventInputMouseLeftDown::TypeId},
	                                                   {M::RightButtonDown, CEventInputMouseRightDown::TypeId},
	                                                   {M::MiddleButtonDown, CEventInputMouseMiddleDown::TypeId},
	                                                   {M::LeftButtonUp, CEventInputMouseLeftUp::TypeId},
	                                                   {M::RightButtonUp, CEventInputMouseRightUp::TypeId},
	                                                   {M::MiddleButtonUp, CEventInputMouseMiddleUp::TypeId}};
	for (const auto& [type, id] : table)
	{
		EXPECT_EQ(0, send(WindowMessage::mouse(type, 1, 2)));
		EXPECT_EQ(id, listener->ids.back());
	}
}

TEST_F(MessageTable, WheelKeepsItsSignAndNeedsAnActiveWindow)
{
	for (float notches : {-1.0f, 1.0f, -3.0f})
	{
		send(WindowMessage::wheelTurn(10, 20, notches));
		EXPECT_EQ(CEventInputMouseWheel::TypeId, listener->ids.back());
		EXPECT_FLOAT_EQ(notches, listener->lastWheel);
	}
	send(WindowMessage::activation(M::ActivateApp, false));
	size_t before = listener->ids.size();
	send(WindowMessage::wheelTurn(10, 20, 1.0f));
	EXPECT_EQ(before, listener->ids.size());
}

TEST_F(MessageTable, MouseMoveIsDroppedWhileMinimised)
{
	send(WindowMessage::size(WindowSizeType::Minimized, 0, 0));
	send(WindowMessage::mouse(M::MouseMove, 1, 1));
	EXPECT_EQ(0, listener->count(CEventInputMouseMove::TypeId));
}

TEST_F(MessageTable, KeyUpCarriesTheModifiersOfTheRelease)
{
	send(WindowMessage::keyboard(M::KeyDown, 'A', 65, true, true));
	EXPECT_EQ(CEventInputKeyDown::TypeId, listener->ids.back());
	EXPECT_TRUE(listener->lastShift);
	EXPECT_EQ('A', listener->lastCharacter);
	send(WindowMessage::keyboard(M::KeyUp, 'a', 65, false, true));
	EXPECT_EQ(CEventInputKeyUp::TypeId, listener->ids.back());
	EXPECT_FALSE(listener->lastShift);
	EXPECT_TRUE(listener->lastControl);
}

TEST_F(MessageTable, ActivationMessagesPostTheirEventsAndLog)
{
	LogCapture log;
	send(WindowMessage::activation(M::ActivateApp, false));
	EXPECT_FALSE(device->isWindowActive());
	EXPECT_TRUE(log.contains("Application deactivated.", 0));
	send(WindowMessage::activation(M::ActivateApp, true));
	EXPECT_TRUE(device->isWindowActive());
	EXPECT_TRUE(log.contains("Application activated.", 0));
	EXPECT_EQ(2, listener->count(CEventSystemFlowApplicationActivate::TypeId));
	send(WindowMessage::activation(M::Activate, true));
	EXPECT_EQ(CEventSystemFlowWindowActivate::TypeId, listener->ids.back());
}

TEST_F(MessageTable, SystemCommandsAsTheWindowSystemWouldHandleThem)
{
	LogCapture log;
	EXPECT_EQ(0, send(WindowMessage::systemCommand(WindowCommand::ScreenSave)));
	EXPECT_EQ(0, send(WindowMessage::systemCommand(WindowCommand::MonitorPower)));
	EXPECT_TRUE(log.contains("SC_SCREENSAVE or SC_MONITORPOWER command received", 0));
	EXPECT_EQ(CLinuxDevice::DefaultProcessing, send(WindowMessage::systemCommand(WindowCommand::Size)));

	device->getTimer()->start();
	send(WindowMessage::systemCommand(WindowCommand::Move));
	EXPECT_TRUE(log.contains("SC_MOVE command received", 0));
	EXPECT_TRUE(device->getTimer()->isStopped());
}

TEST_F(MessageTable, DestroyPostsTheEventThenQuitEndsTheLoop)
{
	LogCapture log;
	device->postWindowMessage(WindowMessage{M::Destroy});
	EXPECT_TRUE(device->run());
	EXPECT_TRUE(log.contains("WM_DESTROY command received", 0));
	EXPECT_EQ(1, listener->count(CEventSystemFlowDestroy::TypeId));
	EXPECT_FALSE(device->isRunning());
}

TEST_F(MessageTable, CloseDeviceWithoutWindowStillEndsTheNextRun)
{
	device->closeDevice();
	EXPECT_TRUE(device->run());
	EXPECT_FALSE(device->isRunning());
}

TEST_F(MessageTable, MinimisedWindowMakesTheLoopWaitAndStopsTheTimer)
{
	device->quitAfterWaits = 3;
	device->postWindowMessage(WindowMessage::size(WindowSizeType::Minimized, 0, 0));
	device->run();
	EXPECT_GE(device->waits, 3);
	EXPECT_TRUE(device->getTimer()->isStopped());
	EXPECT_EQ(0, listener->count(CEventSystemFlowUpdate::TypeId));
	EXPECT_EQ(0, listener->count(CEventSystemFlowDraw::TypeId));
}

TEST_F(MessageTable, TinyResizeIsIgnoredAndOnlyLogged)
{
	LogCapture log;
	irr::core::dimension2du before = device->getVideoDriver()->getScreenSize();
	send(WindowMessage::size(WindowSizeType::Restored, 1, 300));
	EXPECT_TRUE(device->isResizePending());
	device->handleResize();
	EXPECT_FALSE(device->isResizePending());
	EXPECT_TRUE(log.contains("Ignoring resize operation to (1 300)", 0));
	EXPECT_FALSE(log.contains("Resizing window (1 300)"));
	EXPECT_EQ(before, device->getVideoDriver()->getScreenSize());
}

TEST_F(MessageTable, ResizeOfAFixedWindowKeepsTheCreationSize)
{
	LogCapture log;
	send(WindowMessage::size(WindowSizeType::Restored, 640, 480));
	device->handleResize();
	EXPECT_TRUE(log.contains("Resizing window (640 480)", 0));
	EXPECT_EQ(irr::core::dimension2du(800, 600), device->getVideoDriver()->getScreenSize());
}

namespace
{
class ConsumedClose : public MessageTable
{
protected:
	int consumeId() const override { return CEventSystemFlowCloseRequest::TypeId; }
};
} // namespace

TEST_F(ConsumedClose, ConsumedCloseRequestKeepsTheDevice)
{
	LogCapture log;
	EXPECT_EQ(0, send(WindowMessage::systemCommand(WindowCommand::Close)));
	EXPECT_TRUE(log.contains("SC_CLOSE command received", 0));
	EXPECT_EQ(0, listener->count(CEventSystemFlowDestroy::TypeId));
	EXPECT_EQ(TestLinuxDevice::MessageResult::None, device->pump(false));
}

TEST(LinuxDevice, SetCreationParametersWorksWithoutCursorControlAndAnnouncesTheDriver)
{
	SmartPointer<TestLinuxDevice> device(new TestLinuxDevice(nullDriverParameters()));
	SmartPointer<RecordingListener> listener(new RecordingListener());
	device->addEventListener(listener.get(), 0);
	DeviceCreationParameters p = nullDriverParameters();
	p.windowWidth = 320;
	p.windowHeight = 200;
	ASSERT_TRUE(device->setCreationParameters(p));
	ASSERT_EQ(2u, listener->ids.size());
	EXPECT_EQ(CEventDeviceReset::TypeId, listener->ids[0]);
	EXPECT_EQ(CEventDeviceVideoDriverCreated::TypeId, listener->ids[1]);
	EXPECT_EQ(irr::core::dimension2du(320, 200), device->getVideoDriver()->getScreenSize());
}

TEST(LinuxDevice, UnknownDriverTypeGivesNoDriver)
{
	LogCapture log;
	DeviceCreationParameters p;
	p.driverType = 7;
	SmartPointer<TestLinuxDevice> device(new TestLinuxDevice(p));
	EXPECT_EQ(nullptr, device->getVideoDriver());
	EXPECT_TRUE(log.contains("Unable to create video driver of unknown type.", 2));
}

TEST(LinuxDevice, OpenUrlRefusesOptionLikeText)
{
	LogCapture log;
	SmartPointer<TestLinuxDevice> device(new TestLinuxDevice(nullDriverParameters()));
	EXPECT_FALSE(device->openURL("--help"));
	EXPECT_FALSE(device->openURL(""));
	EXPECT_TRUE(log.contains("Unable to open URL", 1));
}
