#pragma once

#include "IDevice.h"

#include <irrlicht/irrArray.h>


// The platform-independent half of the device: settings, services, listeners, factories and the main loop.
class CDeviceStub : public IDevice
{
public:
	explicit CDeviceStub(const DeviceCreationParameters& parameters = defaultCreationParameters());
	~CDeviceStub() override;

	bool sendToChildren(int mode, CEvent* event) override;

	bool run() override;
	void closeDevice() override;
	void sleep(int ms, bool pauseTimer) override;
	bool setCreationParameters(const DeviceCreationParameters& parameters) override;
	CContentManager* createContentManager() override;
	SceneManager* createSceneManager() override;
	TaskScheduler* createTaskScheduler() override;
	CursorControl* getCursorControl() override { return nullptr; }
	VideoModeList* getVideoModeList() override { return videoModes; }
	void setWindowCaption(const wchar_t*) override {}
	void setResizable(bool) override {}
	bool isWindowActive() const override { return false; }
	bool isWindowFocused() const override { return false; }
	bool isWindowMinimized() const override { return false; }
	bool isFullscreen() const override { return parameters.fullscreen; }
	bool setGammaRamp(float, float, float, float, float) override { return false; }
	bool getGammaRamp(float&, float&, float&, float&, float&) override { return false; }
	bool openURL(const char*) override { return false; }
	bool addEventListener(EventReceiver* listener, int priority) override;
	void removeEventListener(EventReceiver* listener) override;

	irr::video::IVideoDriver* getVideoDriver() const override { return videoDriver; }
	IAudioDevice* getAudioDevice() const override { return audioDevice; }
	IFileSystem* getFileSystem() const override { return fileSystem; }
	CSoundManager* getSoundManager() const override { return soundManager; }
	CDictionary* getDictionary() const override { return dictionary; }
	CContentProcessorsManager* getContentProcessorsManager() const override { return processorsManager; }
	CTimer* getTimer() const override { return timer; }
	const DeviceCreationParameters& getCreationParameters() const override { return parameters; }

	CPropertyCollection* getSettings() const override { return settings; }
	irr::core::stringw getSetting(const char* key) const override;
	void setSetting(const char* key, const wchar_t* value) override;

	// Posts a device event: the device's own onEvent, then its listeners; then drops it.
	bool postEvent(CEvent* event);

	// Whether the text matches the library version; logs a warning otherwise.
	bool checkVersion(const char* sdkVersion);

	bool isRunning() const { return running; }
	int getListenerCount() const { return static_cast<int>(listeners.size()); }

	// Fixed-step bounds of the main loop (milliseconds).
	unsigned minStep = 5;
	unsigned maxStep = 15;

protected:
	enum class MessageResult
	{
		None,
		Quit,
		Handled
	};

	// The fixed-step main loop over the platform hooks below.
	bool runMainLoop();

	// Platform hooks: take one window message (waiting for one when asked) and dispatch it.
	virtual MessageResult pumpMessage(bool wait);
	virtual void handleResize() {}
	virtual void updateCursor() {}
	virtual void sleepFor(int ms);
	virtual bool isVisible() const { return visible; }
	virtual bool isAppActive() const { return appActive; }
	virtual bool isExternalWindow() const { return false; }

	// The OpenAL device; without one the system runs silent.
	void createAudioDevice();
	// Made once a video driver exists; listens at priority -1.
	void createContentProcessorsManager();

	// Releases the services in teardown order; platform devices call it after their own teardown.
	void releaseServices();

	DeviceCreationParameters parameters;
	IAudioDevice* audioDevice = nullptr;
	irr::video::IVideoDriver* videoDriver = nullptr;
	CSoundManager* soundManager = nullptr;
	CDictionary* dictionary = nullptr;
	CContentProcessorsManager* processorsManager = nullptr;
	CTimer* timer = nullptr;
	VideoModeList* videoModes = nullptr;
	IFileSystem* fileSystem = nullptr;
	CPropertyCollection* settings = nullptr;

	unsigned lastUpdate = 0;
	bool dispatching = false;
	bool running = false;
	bool visible = true;
	bool appActive = true;

private:
	struct ListenerEntry
	{
		EventReceiver* listener;
		int priority;
	};

	void sortListeners();
	bool isListed(EventReceiver* listener) const;

	irr::core::array<ListenerEntry> listeners;
	irr::core::array<ListenerEntry> pendingAdditions;
	irr::core::array<EventReceiver*> pendingRemovals;
	bool servicesReleased = false;
};
