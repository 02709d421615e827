#pragma once

#include "../RawTagCheck.h"
#include "PlayTestSupport.h"
#include "device/CLinuxDevice.h"
#include "support/OnScreenTest.h"

// Xlib last: its macros clash with names in the headers above. Include this header after the others.
#include <X11/Xlib.h>

namespace playtest
{
// The play stage in a 1024 x 768 OpenGL window on the test's display; skipped without one.
class WindowedPlayStage : public PlayStage
{
protected:
	WindowedPlayStage() : PlayStage(3) {}

	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		display = onscreen::openTestDisplay(10);
		ASSERT_NE(display, nullptr);
		PlayStage::SetUp();
		device = dynamic_cast<CLinuxDevice*>(getDevice());
		if (!IsSkipped() && (!device || !device->hasWindow() || !device->getVideoDriver()))
			GTEST_SKIP() << "no OpenGL window";
	}

	void TearDown() override
	{
		PlayStage::TearDown();
		if (device)
		{
			DeviceCreationParameters nullDriver;
			nullDriver.driverType = 0;
			device->setCreationParameters(nullDriver);
		}
		if (display)
			XCloseDisplay(display);
	}

	// Draws the game until the window shows it and keeps it as <build>/artifacts/<name>.png.
	onscreen::WindowImage shoot(const std::string& name)
	{
		const auto frame = [&]
		{
			XRaiseWindow(display, device->getWindowId());
			CEventSystemFlowDraw draw;
			application->onEvent(&draw);
		};
		const auto shown = [](const onscreen::WindowImage& shot) { return !shot.empty() && shot.at(5, 5) != 0; };
		onscreen::WindowImage image =
		    onscreen::drawUntilShown(display, device->getWindowId(), 0, 0, 1024, 768, frame, shown, 50);
		const std::string folder = binaryDir() + "/artifacts";
		std::filesystem::create_directories(folder);
		EXPECT_TRUE(onscreen::writePng(device->getVideoDriver(), image, folder + "/" + name + ".png")) << name;
		rawtags::expectNone(top(), name);
		return image;
	}

	Display* display = nullptr;
	CLinuxDevice* device = nullptr;
};
} // namespace playtest
