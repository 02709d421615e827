#pragma once

#include "DeviceCreationParameters.h"
#include "core/EventReceiver.h"
#include "core/Singleton.h"

#include <irrlicht/irrString.h>

namespace irr::video
{
class IVideoDriver;
}
class CContentManager;
class CContentProcessorsManager;
class CDictionary;
class CPropertyCollection;
class CSoundManager;
class CTimer;
class CursorControl;
class IAudioDevice;
class IFileSystem;
class SceneManager;
class TaskScheduler;
class VideoModeList;

// The engine's device: owns the platform services, the settings, the listeners and the main loop.
class IDevice : public EventReceiver
{
public:
	virtual bool run() = 0;
	virtual void closeDevice() = 0;
	virtual void sleep(int ms, bool pauseTimer) = 0;
	virtual bool setCreationParameters(const DeviceCreationParameters& parameters) = 0;
	virtual CContentManager* createContentManager() = 0;
	virtual SceneManager* createSceneManager() = 0;
	virtual TaskScheduler* createTaskScheduler() = 0;
	virtual CursorControl* getCursorControl() = 0;
	virtual VideoModeList* getVideoModeList() = 0;
	virtual void setWindowCaption(const wchar_t* text) = 0;
	virtual void setResizable(bool resizable) = 0;
	virtual bool isWindowActive() const = 0;
	virtual bool isWindowFocused() const = 0;
	virtual bool isWindowMinimized() const = 0;
	virtual bool isFullscreen() const = 0;
	virtual bool setGammaRamp(float red, float green, float blue, float brightness, float contrast) = 0;
	virtual bool getGammaRamp(float& red, float& green, float& blue, float& brightness, float& contrast) = 0;
	virtual bool openURL(const char* url) = 0;
	virtual bool addEventListener(EventReceiver* listener, int priority) = 0;
	virtual void removeEventListener(EventReceiver* listener) = 0;

	// Services the device owns (null where not created).
	virtual irr::video::IVideoDriver* getVideoDriver() const = 0;
	virtual IAudioDevice* getAudioDevice() const = 0;
	virtual IFileSystem* getFileSystem() const = 0;
	virtual CSoundManager* getSoundManager() const = 0;
	virtual CDictionary* getDictionary() const = 0;
	virtual CContentProcessorsManager* getContentProcessorsManager() const = 0;
	virtual CTimer* getTimer() const = 0;
	virtual const DeviceCreationParameters& getCreationParameters() const = 0;

	// Application settings (wide text values by key), in memory only.
	virtual CPropertyCollection* getSettings() const = 0;
	virtual irr::core::stringw getSetting(const char* key) const = 0;
	virtual void setSetting(const char* key, const wchar_t* value) = 0;
};

// Builds the platform's device; null when a non-null driver type could not be made.
IDevice* createDevice(const DeviceCreationParameters& parameters);

// The process-wide device, made with the engine defaults on first use.
IDevice* getDevice();

template <>
struct SingletonTraits<IDevice>
{
	static IDevice* create();
	static void destroy(IDevice* device) { device->drop(); }
	static constexpr bool recreateAfterDestruction = false;
};
