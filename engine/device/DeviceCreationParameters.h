#pragma once

#include <irrlicht/irrTypes.h>

// How the device opens its window and video driver.
struct DeviceCreationParameters
{
	// 0 null driver (no window), 1 and 2 the former Direct3D slots, 3 OpenGL.
	int driverType = 0;
	int windowWidth = 800;
	int windowHeight = 600;
	int colorBits = 16;
	irr::u8 depthBits = 16;
	bool fullscreen = false;
	bool stencilBuffer = false;
	bool vsync = false;
	bool antiAlias = false;
	// With fullscreen, the desktop mode's size replaces width and height.
	bool useDesktopResolution = false;
	bool unusedFlags[4] = {false, true, false, false};
	bool highPrecisionFpu = false;
	// Null: the device makes its own window. Otherwise it draws into this one and pumps no messages.
	void* windowHandle = nullptr;
	const char* sdkVersion = nullptr;
};

// The engine defaults used for the first device.
DeviceCreationParameters defaultCreationParameters();
