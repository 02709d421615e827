#pragma once

#include "AssetsTestSupport.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "scene/SceneManager.h"
#include "support/OnScreenTest.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Fixture of the screenshot tests that draw the built assets on the OpenGL device: the assets mounted in a
// window of a fixed size and a scene manager whose scheduler hears the device's updates.
class AssetsScreenTest : public ::testing::Test
{
protected:
	AssetsScreenTest(int width, int height) : windowWidth(width), windowHeight(height) {}

	// Skips without a display or OpenGL. Derived SetUps call it first and return when IsSkipped() or
	// HasFatalFailure().
	void mountAssets()
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		assets = std::make_unique<MountedAssets>(3, windowWidth, windowHeight);
		if (!assets->device || !assets->device->getVideoDriver())
			GTEST_SKIP() << "no OpenGL device";
		ASSERT_TRUE(assets->folder);
		stub = dynamic_cast<CDeviceStub*>(assets->device);
		ASSERT_TRUE(stub);
	}

	void startSceneManager()
	{
		manager = SmartPointer<SceneManager>(assets->device->createSceneManager());
		ASSERT_TRUE(manager);
		scheduler = SmartPointer<TaskScheduler>(assets->device->createTaskScheduler());
		assets->device->addEventListener(scheduler.get(), 0);
		manager->setScheduler(scheduler.get());
	}

	// The scheduler stops hearing the device; the manager and the scheduler are let go.
	void stopSceneManager()
	{
		if (scheduler && assets && assets->device)
			assets->device->removeEventListener(scheduler.get());
		manager = nullptr;
		scheduler = nullptr;
	}

	// Lets the given number of 20 ms updates pass: states run, posted events arrive.
	void advance(int updates)
	{
		for (int i = 0; i < updates; ++i)
			stub->postEvent(new CEventSystemFlowUpdate(20));
	}

	// One frame cleared to the colour with the manager's scenes drawn over it.
	void drawFrame(irr::video::SColor clear)
	{
		irr::video::IVideoDriver* driver = assets->device->getVideoDriver();
		driver->beginScene(true, true, clear);
		manager->draw(driver);
		driver->endScene();
	}

	// Draws frames until shown() accepts the window and returns it; empty when the server cannot be reached.
	onscreen::WindowImage shootScene(irr::video::SColor clear,
	                                 const std::function<bool(const onscreen::WindowImage&)>& shown)
	{
		return onscreen::shootWindow(
		    onscreen::windowOf(assets->device->getVideoDriver()), windowWidth, windowHeight, [&] { drawFrame(clear); },
		    shown, 50);
	}

	// Keeps the image as <build>/artifacts/<name>.
	void saveArtifact(const onscreen::WindowImage& shot, const std::string& name)
	{
		EXPECT_TRUE(onscreen::writeArtifact(assets->device->getVideoDriver(), shot, name)) << name;
	}

	const int windowWidth;
	const int windowHeight;
	std::unique_ptr<MountedAssets> assets;
	CDeviceStub* stub = nullptr;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<SceneManager> manager;
};
