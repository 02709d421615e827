#include "CLinuxDevice.h"

#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"
#include "platform/ScreenGammaRamp.h"
#include "platform/StartupProblems.h"
#include "platform/XErrorLog.h"

#include "CTimer.h"
#include "CursorControl.h"
#include "GammaRamp.h"
#include "VideoModeList.h"
#include "core/DeviceEvents.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"

#include <chrono>
#include <cstdio>
#include <irrlicht/irrlicht.h>
#include <spawn.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

int CLinuxDevice::captureCount = 0;

namespace
{
// The kernel's description stands in for the system version text.
std::string kernelVersionText()
{
	utsname name{};
	if (::uname(&name) != 0)
		return std::string();
	return std::string(name.sysname) + " " + name.release + " " + name.version + " " + name.machine;
}

irr::SIrrlichtCreationParameters libraryParameters(const DeviceCreationParameters& p, irr::IEventReceiver* receiver)
{
	irr::SIrrlichtCreationParameters l;
	l.WindowSize = irr::core::dimension2du(static_cast<irr::u32>(p.windowWidth > 0 ? p.windowWidth : 1),
	                                       static_cast<irr::u32>(p.windowHeight > 0 ? p.windowHeight : 1));
	l.Bits = static_cast<irr::u8>(p.colorBits);
	l.ZBufferBits = p.depthBits;
	l.Fullscreen = p.fullscreen;
	l.Stencilbuffer = p.stencilBuffer;
	l.Vsync = p.vsync;
	l.AntiAlias = p.antiAlias ? 4 : 0;
	l.HighPrecisionFPU = p.highPrecisionFpu;
	l.WindowId = p.windowHandle;
	l.EventReceiver = receiver;
	l.LoggingLevel = irr::ELL_NONE;
	return l;
}
// A busy X server now and then refuses a connection that it accepts a moment later.
irr::IrrlichtDevice* createLibraryDevice(const irr::SIrrlichtCreationParameters& parameters)
{
	for (int attempt = 0; attempt < 3; ++attempt)
	{
		if (irr::IrrlichtDevice* device = irr::createDeviceEx(parameters))
			return device;
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
	return nullptr;
}
} // namespace

CLinuxDevice::CLinuxDevice(const DeviceCreationParameters& p) : CDeviceStub(p), pump(messages)
{
	installXErrorLog();
	versionText = kernelVersionText();
	getLogger()->log(versionText.c_str(), 0);
	externalWindow = parameters.windowHandle != nullptr;
	createVideoDriver(parameters.driverType);
	createAudioDevice();
	createContentProcessorsManager();
}

CLinuxDevice::~CLinuxDevice()
{
	if (cursorControl)
	{
		cursorControl->detachWindow();
		cursorControl->drop();
		cursorControl = nullptr;
	}
	// Listeners may hold textures of the driver: they go before the library device that owns it.
	releaseServices();
	releaseVideoDriver();
	pump.detach();
	if (library)
		library->drop();
	library = nullptr;
}

// ---- window and video driver ----

bool CLinuxDevice::hasWindow() const
{
	return library && !windowDestroyed && (parameters.driverType != 0 || externalWindow);
}

bool CLinuxDevice::createVideoDriver(int driverType)
{
	irr::SIrrlichtCreationParameters l = libraryParameters(parameters, &pump);
	windowFailure.clear();
	if (driverType == 0)
	{
		// The engine's default device: a null driver and no window, so no display is needed.
		l.DriverType = irr::video::EDT_NULL;
		library = irr::createDeviceEx(l);
	}
	else if (driverType >= 1 && driverType <= 3)
	{
		// Asked first: the library would only say that it failed, and Xlib would print the server's
		// refusal on the error stream once per attempt.
		windowFailure = describeDisplayProblem();
		if (windowFailure.empty())
		{
			l.DriverType = irr::video::EDT_OPENGL;
			library = createLibraryDevice(l);
		}
		if (!library)
		{
			getLogger()->log("Could not create OpenGL driver.", 2);
			if (windowFailure.empty())
			{
				l.DriverType = irr::video::EDT_BURNINGSVIDEO;
				library = createLibraryDevice(l);
			}
			if (!library)
				getLogger()->log("Could not create the software renderer.", 2);
			if (!library && windowFailure.empty())
				windowFailure = "neither OpenGL nor the software renderer could be started on this display";
		}
	}
	else
	{
		getLogger()->log("Unable to create video driver of unknown type.", 2);
		windowFailure = "the video driver type " + std::to_string(driverType) + " is unknown";
	}
	if (!library)
		return false;

	videoDriver = library->getVideoDriver();
	if (!videoDriver)
	{
		library->drop();
		library = nullptr;
		windowFailure = "the 3-D library made no video driver";
		return false;
	}
	videoDriver->grab();
	windowDestroyed = false;
	pump.attach(library);
	messages.clear();

	irr::core::dimension2du size = videoDriver->getScreenSize();
	clientWidth = static_cast<int>(size.Width);
	clientHeight = static_cast<int>(size.Height);
	parameters.fullscreen = library->isFullscreen();

	if (hasWindow())
	{
		if (!externalWindow)
			parameters.windowHandle = reinterpret_cast<void*>(pump.getWindow());
		if (!parameters.fullscreen)
			resizeWindow(clientWidth, clientHeight);
		setWindowCaption(getSetting("TitleCaption").c_str());
		if (!cursorControl)
			cursorControl = new CursorControl(parameters.windowWidth, parameters.windowHeight);
		cursorControl->attachWindow(pump.getDisplay(), pump.getWindow(), library->getCursorControl(),
		                            parameters.windowWidth, parameters.windowHeight);
		cursorControl->setFullscreen(parameters.fullscreen);
	}
	visible = true;
	appActive = true;
	EngineMaterials::registerMaterials(videoDriver);
	postEvent(new CEventDeviceVideoDriverCreated(videoDriver));
	return true;
}

void CLinuxDevice::releaseVideoDriver()
{
	if (videoDriver)
	{
		CQuadBatcher::releaseForDriver(videoDriver);
		videoDriver->drop();
	}
	videoDriver = nullptr;
}

void CLinuxDevice::destroyWindow()
{
	if (!hasWindow())
		return;
	windowProc(WindowMessage{WindowMessageType::Destroy});
	windowDestroyed = true;
	pump.hideWindow();
	// The library keeps the driver alive until the device goes; its window stops taking input.
	library->closeDevice();
}

void CLinuxDevice::resizeWindow(int width, int height)
{
	if (externalWindow)
		return;
	pump.placeWindow(parameters.fullscreen, width, height);
}

void CLinuxDevice::readClientSize(int& width, int& height) const
{
	width = clientWidth;
	height = clientHeight;
	if (!windowDestroyed)
		pump.readWindowSize(width, height);
}

bool CLinuxDevice::setCreationParameters(const DeviceCreationParameters& p)
{
	if (cursorControl)
		cursorControl->setFullscreen(p.fullscreen);
	postEvent(new CEventDeviceReset());
	releaseVideoDriver();

	// The desktop mode comes back when the library device goes; a new one makes window and driver together.
	void* window = externalWindow ? parameters.windowHandle : nullptr;
	parameters = p;
	parameters.windowHandle = window;
	if (parameters.fullscreen && parameters.useDesktopResolution)
	{
		VideoModeList* modes = getVideoModeList();
		if (modes && modes->desktop.width > 0 && modes->desktop.height > 0)
		{
			parameters.windowWidth = modes->desktop.width;
			parameters.windowHeight = modes->desktop.height;
		}
	}

	if (cursorControl)
		cursorControl->detachWindow();
	pump.detach();
	if (library)
		library->drop();
	library = nullptr;
	return createVideoDriver(parameters.driverType);
}

// ---- main loop hooks ----

bool CLinuxDevice::run()
{
	return runMainLoop();
}

CDeviceStub::MessageResult CLinuxDevice::pumpMessage(bool wait)
{
	for (int attempt = 0; attempt < 2; ++attempt)
	{
		if (messages.isEmpty() && hasWindow())
			pump.pump();
		WindowMessage message;
		if (messages.take(message))
		{
			if (message.type == WindowMessageType::Quit)
				return MessageResult::Quit;
			windowProc(message);
			return MessageResult::Handled;
		}
		if (!wait)
			break;
		// A bounded wait: the loop then finds the window still hidden and waits again.
		waitForWindowEvents(100);
	}
	return MessageResult::None;
}

void CLinuxDevice::waitForWindowEvents(int timeoutMs)
{
	pump.waitForEvents(timeoutMs);
}

void CLinuxDevice::updateCursor()
{
	if (cursorControl)
		cursorControl->update();
}

void CLinuxDevice::handleResize()
{
	if (!resizePending || !videoDriver)
		return;
	resizePending = false;

	int width = 0;
	int height = 0;
	readClientSize(width, height);
	char text[96];
	if (width < 2 || height < 2)
	{
		std::snprintf(text, sizeof(text), "Ignoring resize operation to (%ld %ld)", static_cast<long>(width),
		              static_cast<long>(height));
		getLogger()->log(text, 0);
		return;
	}
	irr::core::dimension2du driverSize(static_cast<irr::u32>(width), static_cast<irr::u32>(height));
	if ((!resizable || parameters.fullscreen) && (width != parameters.windowWidth || height != parameters.windowHeight))
	{
		resizeWindow(parameters.windowWidth, parameters.windowHeight);
		driverSize.set(static_cast<irr::u32>(parameters.windowWidth), static_cast<irr::u32>(parameters.windowHeight));
	}
	std::snprintf(text, sizeof(text), "Resizing window (%ld %ld)", static_cast<long>(width), static_cast<long>(height));
	getLogger()->log(text, 0);
	videoDriver->OnResize(driverSize);
}

// ---- window procedure ----

long CLinuxDevice::windowProc(const WindowMessage& message)
{
	if (!holdsCapture && captureCount > 0)
		captureCount = 0;

	switch (message.type)
	{
	case WindowMessageType::Quit:
		running = false;
		return 0;
	case WindowMessageType::Destroy:
		getLogger()->log("WM_DESTROY command received", 0);
		postEvent(new CEventSystemFlowDestroy());
		messages.post(WindowMessage::quit(0));
		return 0;
	case WindowMessageType::Size:
		if (message.sizeType == WindowSizeType::Minimized || message.sizeType == WindowSizeType::Hidden)
		{
			visible = false;
			appActive = false;
		}
		else
		{
			visible = true;
			appActive = true;
			resizePending = true;
			clientWidth = message.width;
			clientHeight = message.height;
		}
		return 0;
	case WindowMessageType::Activate:
		postEvent(new CEventSystemFlowWindowActivate(message.active));
		return DefaultProcessing;
	case WindowMessageType::ActivateApp:
		handleApplicationActivation(message.active);
		return DefaultProcessing;
	case WindowMessageType::Paint:
		if (!parameters.fullscreen && videoDriver && !appActive)
			postEvent(new CEventSystemFlowDraw());
		return DefaultProcessing;
	case WindowMessageType::KeyDown:
		postEvent(new CEventInputKeyDown(message.character, message.key, message.shift, message.control, false));
		return 0;
	case WindowMessageType::KeyUp:
		// The modifiers are those of the release itself, not of the last press.
		postEvent(new CEventInputKeyUp(message.character, message.key, message.shift, message.control, false));
		return 0;
	case WindowMessageType::SystemCommand:
		return handleSystemCommand(message.command);
	case WindowMessageType::MouseMove:
		if (visible)
			postEvent(new CEventInputMouseMove(message.x, message.y));
		return 0;
	case WindowMessageType::LeftButtonDown:
	case WindowMessageType::RightButtonDown:
	case WindowMessageType::MiddleButtonDown:
		++captureCount;
		holdsCapture = true;
		if (message.type == WindowMessageType::LeftButtonDown)
			postEvent(new CEventInputMouseLeftDown(message.x, message.y));
		else if (message.type == WindowMessageType::RightButtonDown)
			postEvent(new CEventInputMouseRightDown(message.x, message.y));
		else
			postEvent(new CEventInputMouseMiddleDown(message.x, message.y));
		return 0;
	case WindowMessageType::LeftButtonUp:
	case WindowMessageType::RightButtonUp:
	case WindowMessageType::MiddleButtonUp:
		if (--captureCount < 1)
		{
			captureCount = 0;
			holdsCapture = false;
		}
		if (message.type == WindowMessageType::LeftButtonUp)
			postEvent(new CEventInputMouseLeftUp(message.x, message.y));
		else if (message.type == WindowMessageType::RightButtonUp)
			postEvent(new CEventInputMouseRightUp(message.x, message.y));
		else
			postEvent(new CEventInputMouseMiddleUp(message.x, message.y));
		return 0;
	case WindowMessageType::MouseWheel:
		if (isWindowActive())
			postEvent(new CEventInputMouseWheel(message.x, message.y, message.wheel));
		return DefaultProcessing;
	case WindowMessageType::CaptureLost:
		holdsCapture = false;
		return 0;
	}
	return DefaultProcessing;
}

void CLinuxDevice::handleApplicationActivation(bool active)
{
	appActive = active;
	if (active)
	{
		// The library switches the display mode of its full-screen window back by itself.
		postEvent(new CEventSystemFlowApplicationActivate(true));
		getLogger()->log("Application activated.", 0);
		return;
	}
	if (parameters.fullscreen && library)
		library->minimizeWindow();
	postEvent(new CEventSystemFlowApplicationActivate(false));
	getLogger()->log("Application deactivated.", 0);
}

long CLinuxDevice::handleSystemCommand(WindowCommand command)
{
	switch (command)
	{
	case WindowCommand::ScreenSave:
	case WindowCommand::MonitorPower:
		getLogger()->log("SC_SCREENSAVE or SC_MONITORPOWER command received", 0);
		return 0;
	case WindowCommand::Close:
		getLogger()->log("SC_CLOSE command received", 0);
		if (postEvent(new CEventSystemFlowCloseRequest()))
			return 0;
		destroyWindow();
		return DefaultProcessing;
	case WindowCommand::Move:
		getLogger()->log("SC_MOVE command received", 0);
		if (timer && !timer->isStopped())
			timer->stop();
		[[fallthrough]];
	case WindowCommand::Size:
	case WindowCommand::Maximize:
	case WindowCommand::KeyMenu:
		return parameters.fullscreen ? 1 : DefaultProcessing;
	case WindowCommand::Other:
		break;
	}
	return DefaultProcessing;
}

void CLinuxDevice::closeDevice()
{
	CDeviceStub::closeDevice();
	messages.removeQuit();
	if (hasWindow())
		destroyWindow();
	else
		messages.post(WindowMessage::quit(0)); // so a later run() ends at once, as with a window
}

// ---- display ----

VideoModeList* CLinuxDevice::getVideoModeList()
{
	// Without a window the library opens the display itself, and Xlib would print a refusal.
	const bool windowless = videoDriver ? videoDriver->getDriverType() == irr::video::EDT_NULL : true;
	if (videoModes && videoModes->getModeCount() == 0 && library && (!windowless || describeDisplayProblem().empty()))
	{
		if (irr::video::IVideoModeList* modes = library->getVideoModeList())
		{
			for (irr::s32 i = 0; i < modes->getVideoModeCount(); ++i)
			{
				irr::core::dimension2du size = modes->getVideoModeResolution(i);
				videoModes->addMode(static_cast<int>(size.Width), static_cast<int>(size.Height),
				                    modes->getVideoModeDepth(i));
			}
			irr::core::dimension2du desktop = modes->getDesktopResolution();
			videoModes->desktop = {static_cast<int>(desktop.Width), static_cast<int>(desktop.Height),
			                       modes->getDesktopDepth()};
		}
	}
	return videoModes;
}

void CLinuxDevice::setWindowCaption(const wchar_t* text)
{
	if (hasWindow())
		library->setWindowCaption(text ? text : L"");
}

void CLinuxDevice::setResizable(bool value)
{
	if (externalWindow || !videoDriver || parameters.fullscreen || !library)
		return;
	resizable = value;
	library->setResizable(value);
	irr::core::dimension2du size = videoDriver->getScreenSize();
	// Where the window is stays.
	pump.resizeWindow(static_cast<int>(size.Width), static_cast<int>(size.Height));
}

bool CLinuxDevice::isWindowFocused() const
{
	return hasWindow() && library->isWindowFocused();
}

bool CLinuxDevice::isWindowMinimized() const
{
	return hasWindow() && library->isWindowMinimized();
}

bool CLinuxDevice::setGammaRamp(float red, float green, float blue, float brightness, float contrast)
{
	// The library's own call takes the three gammas only; the ramps carry brightness and contrast too.
	uint16_t ramps[3][256];
	const float gammas[3] = {red, green, blue};
	for (int i = 0; i < 3; ++i)
		if (!calculateGammaRamp(ramps[i], gammas[i], brightness, contrast))
			return false;
	return hasWindow() && setScreenGammaRamps(pump.getDisplay(), pump.getWindow(), ramps[0], ramps[1], ramps[2]);
}

bool CLinuxDevice::getGammaRamp(float& red, float& green, float& blue, float& brightness, float& contrast)
{
	brightness = 0.0f;
	contrast = 0.0f;
	uint16_t ramps[3][256];
	if (!hasWindow() || !getScreenGammaRamps(pump.getDisplay(), pump.getWindow(), ramps[0], ramps[1], ramps[2]))
		return false;
	red = calculateGammaFromRamp(ramps[0]);
	green = calculateGammaFromRamp(ramps[1]);
	blue = calculateGammaFromRamp(ramps[2]);
	return true;
}

bool CLinuxDevice::openURL(const char* url)
{
	// A text starting with '-' would be read as an option of the opener.
	if (url && *url && *url != '-')
	{
		char opener[] = "xdg-open";
		char* arguments[] = {opener, const_cast<char*>(url), nullptr};
		pid_t child = 0;
		if (::posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ) == 0)
		{
			// Not waited for here; reaped in the background so it leaves no zombie.
			std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
			return true;
		}
	}
	getLogger()->log("Unable to open URL", url ? url : "", 1);
	return false;
}

IDevice* createPlatformDevice(const DeviceCreationParameters& parameters)
{
	return new CLinuxDevice(parameters);
}
