#pragma once

#include "WindowMessageQueue.h"

#include <irrlicht/IEventReceiver.h>
#include <irrlicht/dimension2d.h>

namespace irr
{
class IrrlichtDevice;
}

// Turns what the 3-D library's X11 device reports (input events, window state) into window messages.
class IrrlichtWindowPump : public irr::IEventReceiver
{
public:
	explicit IrrlichtWindowPump(WindowMessageQueue& queue) : queue(queue) {}

	// Input events become messages; the library's log lines are swallowed (the engine logs for itself).
	bool OnEvent(const irr::SEvent& event) override;

	// Starts watching a freshly made library device: its current state is the state already known.
	void attach(irr::IrrlichtDevice* device);
	void detach() { device = nullptr; }

	// One pass: takes the window manager's close requests, lets the library read its events,
	// then compares the window state with the last pass. False once the library device has given up.
	bool pump();

	// Waits until the window has something to report, at most the given time.
	void waitForEvents(int timeoutMs);

	// Direct window operations; they do nothing when the driver does not tell the window.
	void hideWindow();
	void resizeWindow(int width, int height);
	// Gives the window this client size, centred on its screen when windowed (computeWindowRect).
	void placeWindow(bool fullscreen, int width, int height);
	bool readWindowSize(int& width, int& height) const;

	// The window's X11 display and id when the driver exposes them (OpenGL), else null / 0.
	void* getDisplay() const { return display; }
	unsigned long getWindow() const { return window; }

private:
	void takeCloseRequests();
	void pollWindowState();

	WindowMessageQueue& queue;
	irr::IrrlichtDevice* device = nullptr;
	void* display = nullptr;
	unsigned long window = 0;
	bool focused = false;
	bool minimized = false;
	irr::core::dimension2du size;
	bool libraryClosed = false;
};
