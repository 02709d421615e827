#include "CDeviceStub.h"

#include "CTimer.h"
#include "VideoModeList.h"
#include "audio/COpenALAudioDevice.h"
#include "audio/CSoundManager.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/IReadFile.h"
#include "core/CPropertyCollection.h"
#include "core/DeviceEvents.h"
#include "core/IPropertyData.h"
#include "content/CContentProcessorsManager.h"
#include "content/IFileSystem.h"
#include "device/CLinuxDevice.h"
#include "scene/NodeFactory.h"
#include "scene/SceneManager.h"
#include "core/ILogger.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "core/Thread.h"

#include <irrlicht/IrrCompileConfig.h>

#include <algorithm>
#include <cstring>

DeviceCreationParameters defaultCreationParameters() { return DeviceCreationParameters(); }

CDeviceStub::CDeviceStub(const DeviceCreationParameters& p) : parameters(p)
{
	Singleton<IDevice>::record(this);
	mask |= EventCategoryDevice;
	videoModes = new VideoModeList();
	settings = new CPropertyCollection();

	setSetting("PublisherName", L"Marrowfen");
	setSetting("TitleName", L"Nerra Sample");
	setSetting("TitleCaption", L"Nerra Sample");
	setSetting("ProfilesCryptKey", L"");
	setSetting("AssetsCryptKey", L"");
	setSetting("AssetsFolder", L"assets");

	timer = new CTimer();
	fileSystem = createFileSystem();
	soundManager = new CSoundManager();
	dictionary = new CDictionary(fileSystem);
	addEventListener(soundManager, 1);

	getLogger()->log((irr::core::stringc("Irrlicht Engine version ") + IRRLICHT_SDK_VERSION).c_str(), 0);
	checkVersion(p.sdkVersion ? p.sdkVersion : IRRLICHT_SDK_VERSION);
}

CDeviceStub::~CDeviceStub()
{
	releaseServices();
	Singleton<IDevice>::forget(this);
}

void CDeviceStub::releaseServices()
{
	if (servicesReleased)
		return;
	servicesReleased = true;

	if (processorsManager)
		processorsManager->drop();
	processorsManager = nullptr;

	// Highest priority first; each is unlisted before its drop so it never sees itself listed.
	while (!listeners.empty())
	{
		EventReceiver* listener = listeners.getLast().listener;
		listeners.erase(listeners.size() - 1);
		listener->drop();
	}
	for (irr::u32 i = 0; i < pendingAdditions.size(); ++i)
		pendingAdditions[i].listener->drop();
	pendingAdditions.clear();
	pendingRemovals.clear();

	if (audioDevice)
		audioDevice->drop();
	audioDevice = nullptr;
	if (fileSystem)
		fileSystem->drop();
	fileSystem = nullptr;
	if (soundManager)
		soundManager->drop();
	soundManager = nullptr;
	if (dictionary)
		dictionary->drop();
	dictionary = nullptr;
	if (videoModes)
		videoModes->drop();
	videoModes = nullptr;
	if (timer)
		timer->drop();
	timer = nullptr;
	if (settings)
		settings->drop();
	settings = nullptr;
}

bool CDeviceStub::checkVersion(const char* sdkVersion)
{
	if (!sdkVersion || std::strcmp(sdkVersion, IRRLICHT_SDK_VERSION) != 0)
	{
		irr::core::stringc text("Warning: The library version of the Irrlicht Engine (");
		text += IRRLICHT_SDK_VERSION;
		text += ") does not match the version the application was compiled with (";
		text += sdkVersion ? sdkVersion : "";
		text += "). This may cause problems.";
		getLogger()->log(text.c_str(), 1);
		return false;
	}
	return true;
}

irr::core::stringw CDeviceStub::getSetting(const char* key) const
{
	if (!settings)
		return irr::core::stringw();
	SmartPointer<IPropertyData> value = settings->get(key ? key : "");
	return value ? value->toStringW() : irr::core::stringw();
}

void CDeviceStub::setSetting(const char* key, const wchar_t* value)
{
	if (settings)
		settings->setStringW(key ? key : "", irr::core::stringw(value ? value : L""));
}

// ---- listeners ----

bool CDeviceStub::isListed(EventReceiver* listener) const
{
	for (irr::u32 i = 0; i < listeners.size(); ++i)
		if (listeners[i].listener == listener)
			return true;
	return false;
}

void CDeviceStub::sortListeners()
{
	// Stable, so equal priorities keep the order in which they were added.
	std::stable_sort(listeners.pointer(), listeners.pointer() + listeners.size(),
					 [](const ListenerEntry& a, const ListenerEntry& b) { return a.priority < b.priority; });
}

bool CDeviceStub::addEventListener(EventReceiver* listener, int priority)
{
	if (!listener || isListed(listener))
		return false;
	for (irr::u32 i = 0; i < pendingAdditions.size(); ++i)
		if (pendingAdditions[i].listener == listener)
			return false;
	listener->grab();
	if (dispatching)
	{
		pendingAdditions.push_back({listener, priority});
		return true;
	}
	listeners.push_back({listener, priority});
	sortListeners();
	return true;
}

void CDeviceStub::removeEventListener(EventReceiver* listener)
{
	if (dispatching)
	{
		pendingRemovals.push_back(listener);
		return;
	}
	for (irr::u32 i = 0; i < listeners.size(); ++i)
	{
		if (listeners[i].listener == listener)
		{
			listeners.erase(i);
			listener->drop();
			return;
		}
	}
}

bool CDeviceStub::sendToChildren(int mode, CEvent* event)
{
	// A nested dispatch (a listener posting an event) must not apply the outer one's pending changes.
	bool outer = !dispatching;
	dispatching = true;
	bool handled = false;
	for (irr::u32 i = 0; i < listeners.size(); ++i)
	{
		EventReceiver* listener = listeners[i].listener;
		if ((listener->mask & event->mask) && listener->deliverEvent(mode, event))
		{
			handled = true;
			break;
		}
	}
	if (!outer)
		return handled;
	dispatching = false;

	if (!pendingAdditions.empty())
	{
		for (irr::u32 i = 0; i < pendingAdditions.size(); ++i)
			listeners.push_back(pendingAdditions[i]);
		pendingAdditions.clear();
		if (listeners.size() > 1)
			sortListeners();
	}
	for (irr::u32 r = 0; r < pendingRemovals.size(); ++r)
	{
		for (irr::u32 i = 0; i < listeners.size(); ++i)
		{
			if (listeners[i].listener == pendingRemovals[r])
			{
				EventReceiver* listener = listeners[i].listener;
				listeners.erase(i);
				listener->drop();
				break;
			}
		}
	}
	pendingRemovals.clear();
	return handled;
}

bool CDeviceStub::postEvent(CEvent* event)
{
	bool handled = onEvent(event) || sendToChildren(DeliverSelfThenChildren, event);
	event->drop();
	return handled;
}

// ---- life cycle and factories ----

bool CDeviceStub::run()
{
	running = true;
	return true;
}

void CDeviceStub::closeDevice()
{
	getLogger()->log("closeDevice() was called", 0);
	running = false;
}

void CDeviceStub::sleep(int ms, bool pauseTimer)
{
	if (pauseTimer && timer && !timer->isStopped())
	{
		timer->stop();
		sleepFor(ms);
		timer->start();
	}
	else
	{
		sleepFor(ms);
	}
}

bool CDeviceStub::setCreationParameters(const DeviceCreationParameters&) { return false; }

CContentManager* CDeviceStub::createContentManager()
{
	return new CContentManager(videoDriver, fileSystem, processorsManager);
}

void CDeviceStub::createAudioDevice()
{
	if (audioDevice)
		return;
	IFileSystem* files = fileSystem;
	audioDevice = createOpenALAudioDevice([files](const char* name) { return files->createAndOpenFile(name); });
	if (!audioDevice)
	{
		getLogger()->log("Could not create OpenAL Audio Driver.", 2);
		return;
	}
	getLogger()->log((irr::core::stringc("Using audio: ") + audioDevice->getDescription()).c_str(), 0);
	postEvent(new CEventDeviceAudioDriverCreated(audioDevice));
}

void CDeviceStub::createContentProcessorsManager()
{
	if (processorsManager || !videoDriver)
		return;
	processorsManager = new CContentProcessorsManager(videoDriver, audioDevice, fileSystem, NodeFactory::instance());
	addEventListener(processorsManager, -1);
}

SceneManager* CDeviceStub::createSceneManager()
{
	auto* manager = new SceneManager(ContentRef());
	manager->setDevice(this);
	return manager;
}

TaskScheduler* CDeviceStub::createTaskScheduler() { return new TaskScheduler(); }

// ---- main loop ----

CDeviceStub::MessageResult CDeviceStub::pumpMessage(bool) { return MessageResult::None; }

void CDeviceStub::sleepFor(int ms) { sleepMilliseconds(ms); }

bool CDeviceStub::runMainLoop()
{
	CDeviceStub::run();
	const bool external = isExternalWindow();
	if (!external)
		lastUpdate = timer->getTime();

	while (running)
	{
		timer->tick();

		if (!external)
		{
			MessageResult message = pumpMessage(!isVisible());
			if (message == MessageResult::Quit)
			{
				running = false;
				continue;
			}
			if (message == MessageResult::Handled)
				continue;
		}

		if (running)
			handleResize();

		int sleepTime = minStep > 1 ? 1 : 0;
		bool updated = false;
		bool inactive = false;

		if (!isVisible() && !external)
		{
			if (!timer->isStopped())
				timer->stop();
		}
		else
		{
			updateCursor();
			if (isAppActive())
			{
				if (timer->isStopped())
					timer->start();
				unsigned now = timer->getTime();
				if (now - lastUpdate > 200)
					lastUpdate = now - maxStep;
				if (lastUpdate + minStep > now)
				{
					// idle pass
				}
				else if (lastUpdate + maxStep < now)
				{
					do
					{
						postEvent(new CEventSystemFlowUpdate(static_cast<int>(maxStep)));
						lastUpdate += maxStep;
					} while (lastUpdate + maxStep <= now);
					updated = true;
					sleepTime = 0;
				}
				else
				{
					postEvent(new CEventSystemFlowUpdate(static_cast<int>(now - lastUpdate)));
					lastUpdate = now;
					updated = true;
					sleepTime = 0;
				}
			}
			else
			{
				if (!timer->isStopped())
					timer->stop();
				sleepTime = 200;
				inactive = true;
			}
		}

		if ((updated || inactive) && running)
			postEvent(new CEventSystemFlowDraw());

		if (external)
			break;
		if (sleepTime > 0)
			sleepFor(sleepTime);
	}
	return true;
}

// ---- the process-wide device ----

IDevice* createDevice(const DeviceCreationParameters& parameters)
{
	IDevice* device = createPlatformDevice(parameters);
	if (device && !device->getVideoDriver() && parameters.driverType != 0)
	{
		device->closeDevice();
		device->run();
		device->drop();
		return nullptr;
	}
	return device;
}

IDevice* SingletonTraits<IDevice>::create() { return createDevice(defaultCreationParameters()); }

IDevice* getDevice() { return Singleton<IDevice>::instance(); }
