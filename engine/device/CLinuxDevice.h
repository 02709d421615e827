#pragma once

#include "CDeviceStub.h"
#include "platform/IrrlichtWindowPump.h"
#include "platform/WindowMessageQueue.h"

#include <string>

namespace irr
{
class IrrlichtDevice;
}

// The device on Linux: the 3-D library's X11 device gives the window and video driver, whose events and
// state come through a message queue to the window procedure, one message per main-loop pass.
class CLinuxDevice : public CDeviceStub
{
public:
	// What windowProc answers for a message the window system would handle by default.
	static constexpr long DefaultProcessing = -1;

	explicit CLinuxDevice(const DeviceCreationParameters& parameters);
	~CLinuxDevice() override;

	bool run() override;
	void closeDevice() override;
	bool setCreationParameters(const DeviceCreationParameters& parameters) override;
	CursorControl* getCursorControl() override { return cursorControl; }
	VideoModeList* getVideoModeList() override;
	void setWindowCaption(const wchar_t* text) override;
	void setResizable(bool resizable) override;
	bool isWindowActive() const override { return appActive; }
	bool isWindowFocused() const override;
	bool isWindowMinimized() const override;
	bool setGammaRamp(float red, float green, float blue, float brightness, float contrast) override;
	bool getGammaRamp(float& red, float& green, float& blue, float& brightness, float& contrast) override;
	bool openURL(const char* url) override;

	// Handles one window message as the window system's window procedure would.
	long windowProc(const WindowMessage& message);
	// Queues a message for the main loop, as the window system would.
	void postWindowMessage(const WindowMessage& message) { messages.post(message); }

	bool hasWindow() const;
	// The X11 window id (0 without a window or when the driver does not tell it).
	unsigned long getWindowId() const { return pump.getWindow(); }
	irr::IrrlichtDevice* getLibraryDevice() const { return library; }
	const std::string& getVersionText() const { return versionText; }
	bool isResizePending() const { return resizePending; }
	// Why the last video driver could not be made, for the user; empty after a success.
	const std::string& getWindowFailure() const { return windowFailure; }

	// Mouse presses not yet matched by releases, over every window of the process.
	static int getCaptureCount() { return captureCount; }

protected:
	MessageResult pumpMessage(bool wait) override;
	void handleResize() override;
	void updateCursor() override;
	bool isExternalWindow() const override { return externalWindow; }

	// Blocks until the window may have something new, at most timeoutMs.
	virtual void waitForWindowEvents(int timeoutMs);

private:
	bool createVideoDriver(int driverType);
	void releaseVideoDriver();
	void destroyWindow();
	void resizeWindow(int width, int height);
	void readClientSize(int& width, int& height) const;
	long handleSystemCommand(WindowCommand command);
	void handleApplicationActivation(bool active);

	irr::IrrlichtDevice* library = nullptr;
	WindowMessageQueue messages;
	IrrlichtWindowPump pump;
	CursorControl* cursorControl = nullptr;
	std::string versionText;
	std::string windowFailure;
	int clientWidth = 0;
	int clientHeight = 0;
	bool resizable = false;
	bool resizePending = false;
	bool externalWindow = false;
	bool windowDestroyed = false;
	bool holdsCapture = false;

	static int captureCount;
};

// Makes the Linux device for the parameters; null when a non-null driver type could not be made.
IDevice* createPlatformDevice(const DeviceCreationParameters& parameters);
