#include "IrrlichtWindowPump.h"

#include "device/WindowPlacement.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <irrlicht/IVideoDriver.h>
#include <irrlicht/IrrlichtDevice.h>
#include <poll.h>
#include <thread>

namespace
{
struct CloseRequestMatch
{
	Window window;
	Atom protocols;
	Atom deleteWindow;
};

Bool isCloseRequest(Display*, XEvent* event, XPointer argument)
{
	const auto* match = reinterpret_cast<const CloseRequestMatch*>(argument);
	return event->type == ClientMessage && event->xclient.window == match->window &&
	       event->xclient.message_type == match->protocols &&
	       static_cast<Atom>(event->xclient.data.l[0]) == match->deleteWindow;
}
} // namespace

bool IrrlichtWindowPump::OnEvent(const irr::SEvent& event)
{
	using namespace irr;
	switch (event.EventType)
	{
	case EET_LOG_TEXT_EVENT:
		return true;
	case EET_KEY_INPUT_EVENT:
	{
		const SEvent::SKeyInput& key = event.KeyInput;
		queue.post(WindowMessage::keyboard(key.PressedDown ? WindowMessageType::KeyDown : WindowMessageType::KeyUp,
		                                   static_cast<int>(key.Char), static_cast<int>(key.Key), key.Shift,
		                                   key.Control));
		return true;
	}
	case EET_MOUSE_INPUT_EVENT:
	{
		const SEvent::SMouseInput& mouse = event.MouseInput;
		WindowMessageType type;
		switch (mouse.Event)
		{
		case EMIE_MOUSE_MOVED:
			type = WindowMessageType::MouseMove;
			break;
		case EMIE_LMOUSE_PRESSED_DOWN:
			type = WindowMessageType::LeftButtonDown;
			break;
		case EMIE_RMOUSE_PRESSED_DOWN:
			type = WindowMessageType::RightButtonDown;
			break;
		case EMIE_MMOUSE_PRESSED_DOWN:
			type = WindowMessageType::MiddleButtonDown;
			break;
		case EMIE_LMOUSE_LEFT_UP:
			type = WindowMessageType::LeftButtonUp;
			break;
		case EMIE_RMOUSE_LEFT_UP:
			type = WindowMessageType::RightButtonUp;
			break;
		case EMIE_MMOUSE_LEFT_UP:
			type = WindowMessageType::MiddleButtonUp;
			break;
		case EMIE_MOUSE_WHEEL:
			// The library already counts in notches, positive away from the user.
			queue.post(WindowMessage::wheelTurn(mouse.X, mouse.Y, mouse.Wheel));
			return true;
		default:
			// Double and triple clicks are not handled.
			return true;
		}
		queue.post(WindowMessage::mouse(type, mouse.X, mouse.Y));
		return true;
	}
	default:
		return false;
	}
}

void IrrlichtWindowPump::attach(irr::IrrlichtDevice* d)
{
	device = d;
	display = nullptr;
	window = 0;
	libraryClosed = false;
	if (!device)
		return;
	if (irr::video::IVideoDriver* driver = device->getVideoDriver())
	{
		const irr::video::SExposedVideoData& data = driver->getExposedVideoData();
		if (driver->getDriverType() == irr::video::EDT_OPENGL)
		{
			display = data.OpenGLLinux.X11Display;
			window = data.OpenGLLinux.X11Window;
		}
		size = driver->getScreenSize();
	}
	focused = device->isWindowFocused();
	minimized = device->isWindowMinimized();
}

void IrrlichtWindowPump::takeCloseRequests()
{
	if (!display || !window)
		return;
	Display* x = static_cast<Display*>(display);
	// Taken before the library sees them: it would end its device for good, and a listener may refuse the close.
	CloseRequestMatch match{static_cast<Window>(window), XInternAtom(x, "WM_PROTOCOLS", False),
	                        XInternAtom(x, "WM_DELETE_WINDOW", False)};
	XEvent event;
	while (XCheckIfEvent(x, &event, &isCloseRequest, reinterpret_cast<XPointer>(&match)))
		queue.post(WindowMessage::systemCommand(WindowCommand::Close));
}

bool IrrlichtWindowPump::pump()
{
	if (!device)
		return false;
	takeCloseRequests();
	bool alive = device->run();
	if (!alive && !libraryClosed)
	{
		// The library ended its device on a close request we could not intercept: ask as the close box would.
		libraryClosed = true;
		queue.post(WindowMessage::systemCommand(WindowCommand::Close));
	}
	if (alive)
		pollWindowState();
	return alive;
}

void IrrlichtWindowPump::pollWindowState()
{
	bool nowMinimized = device->isWindowMinimized();
	bool nowFocused = device->isWindowFocused();
	irr::core::dimension2du nowSize = size;
	if (irr::video::IVideoDriver* driver = device->getVideoDriver())
		nowSize = driver->getScreenSize();

	if (nowMinimized != minimized)
	{
		minimized = nowMinimized;
		queue.post(WindowMessage::size(minimized ? WindowSizeType::Minimized : WindowSizeType::Restored,
		                               static_cast<int>(nowSize.Width), static_cast<int>(nowSize.Height)));
		size = nowSize;
	}
	if (nowFocused != focused)
	{
		focused = nowFocused;
		queue.post(WindowMessage::activation(WindowMessageType::ActivateApp, focused));
		queue.post(WindowMessage::activation(WindowMessageType::Activate, focused && !minimized));
		if (!focused)
			queue.post(WindowMessage::mouse(WindowMessageType::CaptureLost, 0, 0));
	}
	if (!minimized && nowSize != size)
	{
		size = nowSize;
		queue.post(
		    WindowMessage::size(WindowSizeType::Restored, static_cast<int>(size.Width), static_cast<int>(size.Height)));
	}
}

void IrrlichtWindowPump::waitForEvents(int timeoutMs)
{
	if (display)
	{
		Display* x = static_cast<Display*>(display);
		if (XPending(x) > 0)
			return;
		pollfd fd{ConnectionNumber(x), POLLIN, 0};
		::poll(&fd, 1, timeoutMs);
		return;
	}
	// Without a connection to watch (software renderer, null driver) look again a little later.
	std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs < 10 ? timeoutMs : 10));
}

void IrrlichtWindowPump::hideWindow()
{
	if (!display || !window)
		return;
	XUnmapWindow(static_cast<Display*>(display), window);
	XFlush(static_cast<Display*>(display));
}

void IrrlichtWindowPump::resizeWindow(int width, int height)
{
	if (!display || !window || width <= 0 || height <= 0)
		return;
	XResizeWindow(static_cast<Display*>(display), window, static_cast<unsigned>(width), static_cast<unsigned>(height));
	XMapRaised(static_cast<Display*>(display), window);
	XFlush(static_cast<Display*>(display));
}

namespace
{
// The frame the window manager has put around the window, when it says so (_NET_FRAME_EXTENTS).
WindowFrame frameOf(Display* display, Window window)
{
	WindowFrame frame;
	Atom type = 0;
	int format = 0;
	unsigned long count = 0;
	unsigned long after = 0;
	unsigned char* data = nullptr;
	const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", True);
	if (extents == 0 || XGetWindowProperty(display, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
	                                       &after, &data) != Success)
		return frame;
	if (data && type == XA_CARDINAL && format == 32 && count == 4)
	{
		const long* values = reinterpret_cast<const long*>(data);
		frame = WindowFrame{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
		                    static_cast<int>(values[3])};
	}
	if (data)
		XFree(data);
	return frame;
}
} // namespace

void IrrlichtWindowPump::placeWindow(bool fullscreen, int width, int height)
{
	if (!display || !window || width <= 0 || height <= 0)
		return;
	Display* x = static_cast<Display*>(display);
	XWindowAttributes attributes;
	if (!XGetWindowAttributes(x, window, &attributes) || !attributes.screen)
		return;
	const WindowPlacement placement = computeWindowRect(fullscreen, width, height, WidthOfScreen(attributes.screen),
	                                                    HeightOfScreen(attributes.screen), frameOf(x, window));
	// A window manager honours a position only when the program says it chose one.
	if (XSizeHints* hints = XAllocSizeHints())
	{
		long supplied = 0;
		XGetWMNormalHints(x, window, hints, &supplied);
		hints->flags |= PPosition;
		hints->x = placement.x;
		hints->y = placement.y;
		XSetWMNormalHints(x, window, hints);
		XFree(hints);
	}
	XMoveResizeWindow(x, window, placement.x, placement.y, static_cast<unsigned>(width), static_cast<unsigned>(height));
	XMapRaised(x, window);
	XSync(x, False);
}

bool IrrlichtWindowPump::readWindowSize(int& width, int& height) const
{
	XWindowAttributes attributes;
	if (!display || !window || !XGetWindowAttributes(static_cast<Display*>(display), window, &attributes))
		return false;
	width = attributes.width;
	height = attributes.height;
	return true;
}
