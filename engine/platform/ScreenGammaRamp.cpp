#include "ScreenGammaRamp.h"

#include "device/GammaRamp.h"

#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>
#include <vector>

namespace
{
bool requestRefused = false;

int noteRefusal(Display*, XErrorEvent*)
{
	requestRefused = true;
	return 0;
}

// The screen of the window and the size of its ramp; false when the server has no ramp for it.
bool findRamp(Display* display, Window window, int& screen, int& size)
{
	int eventBase = 0;
	int errorBase = 0;
	XWindowAttributes attributes;
	if (!display || !window || !XF86VidModeQueryExtension(display, &eventBase, &errorBase) ||
	    !XGetWindowAttributes(display, window, &attributes) || !attributes.screen)
		return false;
	screen = XScreenNumberOfScreen(attributes.screen);
	size = 0;
	return XF86VidModeGetGammaRampSize(display, screen, &size) && size > 0;
}

// Runs one request with X errors caught instead of logged: they arrive later, so the request is
// waited for before the answer is known.
template <class Request> bool refusedOrFailed(Display* display, Request request)
{
	XSync(display, False);
	requestRefused = false;
	auto* previous = XSetErrorHandler(noteRefusal);
	const bool done = request();
	XSync(display, False);
	XSetErrorHandler(previous);
	return !done || requestRefused;
}
} // namespace

bool setScreenGammaRamps(void* displayPointer, unsigned long window, const uint16_t red[256], const uint16_t green[256],
                         const uint16_t blue[256])
{
	Display* display = static_cast<Display*>(displayPointer);
	int screen = 0;
	int size = 0;
	if (!findRamp(display, window, screen, size))
		return false;
	std::vector<unsigned short> r(static_cast<size_t>(size)), g(r.size()), b(r.size());
	spreadGammaRamp(red, r.data(), size);
	spreadGammaRamp(green, g.data(), size);
	spreadGammaRamp(blue, b.data(), size);
	return !refusedOrFailed(display, [&]
	                        { return XF86VidModeSetGammaRamp(display, screen, size, r.data(), g.data(), b.data()); });
}

bool getScreenGammaRamps(void* displayPointer, unsigned long window, uint16_t red[256], uint16_t green[256],
                         uint16_t blue[256])
{
	Display* display = static_cast<Display*>(displayPointer);
	int screen = 0;
	int size = 0;
	if (!findRamp(display, window, screen, size))
		return false;
	std::vector<unsigned short> r(static_cast<size_t>(size)), g(r.size()), b(r.size());
	if (refusedOrFailed(display,
	                    [&] { return XF86VidModeGetGammaRamp(display, screen, size, r.data(), g.data(), b.data()); }))
		return false;
	gatherGammaRamp(r.data(), size, red);
	gatherGammaRamp(g.data(), size, green);
	gatherGammaRamp(b.data(), size, blue);
	return true;
}
