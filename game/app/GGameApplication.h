#pragma once

#include "core/EventReceiver.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "device/DeviceCreationParameters.h"

#include <irrlicht/irrString.h>
#include <irrlicht/rect.h>
#include <irrlicht/vector2d.h>
#include <string>

class BaseNode;
class CContentManager;
class CEventDeviceVideoDriverCreated;
class CEventInputKeyDown;
class CEventSystemFlowCloseRequest;
class CEventSystemFlowDraw;
class CEventSystemFlowUpdate;
class CEventSystemFlowWindowActivate;
class CProfile;
class IArchive;
class GAchievements;
class GBuildingsConfiguration;
class GUpgradesConfiguration;
class GComicsConfiguration;
class GLevelScores;
class GLogosList;
class GUpgradesConfiguration;
class SceneManager;
class SceneNode;
class TaskScheduler;
struct GameScreenLayout;
namespace irr
{
namespace video
{
class IVideoDriver;
}
} // namespace irr

// The game itself: configures the engine at start-up, owns the scene managers and the game-wide
// objects, draws each frame inside the letterbox bars and applies the player's sound options.
class GGameApplication : public EventReceiver
{
public:
	static constexpr int UiListenerPriority = 0;
	static constexpr int ContentManagerPriority = 1;
	static constexpr int SchedulerPriority = 2;
	static constexpr float WorldLayerDepth = -4000.0f;
	static constexpr unsigned StreamingThreshold = 0x20000;

	GGameApplication();
	~GGameApplication() override;

	// The whole start-up; false when the device, the content or the first scene cannot be had.
	bool init();
	// Why init failed, in words for the user; empty after a successful start.
	const std::string& getStartupFailure() const { return startupFailure; }
	// Empty while progress can be saved; otherwise why not (the data folder and the reason), said once at start.
	const std::string& getSavingProblem() const { return savingProblem; }
	// The device's main loop; its result.
	bool run();
	// Lets go of the engine objects and takes this object off the device, so everything the game
	// holds is gone before the device tears down. Idempotent.
	void shutdown();

	// Bars and UI transform for the driver's current screen size.
	void updateLayout();
	// The active player's sound options to the sound groups and the music.
	void applySoundSettings();

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	virtual bool onVideoDriverCreated(CEventDeviceVideoDriverCreated* event);
	virtual bool onUpdate(CEventSystemFlowUpdate* event);
	virtual bool onDraw(CEventSystemFlowDraw* event);
	virtual bool onWindowActivate(CEventSystemFlowWindowActivate* event);
	virtual bool onCloseRequest(CEventSystemFlowCloseRequest* event);
	virtual bool onKeyDown(CEventInputKeyDown* event);

	// The engine's driver type for the profile's "VideoDriver": 1 and 2 (the former Direct3D
	// drivers) and 3 open OpenGL here; any other value counts as 1.
	static int driverTypeForSetting(int videoDriver);

	const irr::core::vector2df& getVirtualScreenSize() const { return virtualScreenSize; }
	const irr::core::recti& getFirstBar() const { return firstBar; }
	const irr::core::recti& getSecondBar() const { return secondBar; }

	DeviceCreationParameters creationParameters;
	TaskScheduler* uiScheduler = nullptr;
	TaskScheduler* worldScheduler = nullptr;
	SceneManager* uiSceneManager = nullptr;
	SceneManager* worldSceneManager = nullptr;
	CContentManager* contentManager = nullptr;
	int frameTime = 0;
	// Game-wide data, made empty with the application and filled at start-up and by the intro.
	SmartPointer<GLogosList> logosList;
	SmartPointer<GComicsConfiguration> comicsConfiguration;
	SmartPointer<GLevelScores> levelScores;
	SmartPointer<GAchievements> achievements;
	SmartPointer<GBuildingsConfiguration> buildingsConfiguration;
	SmartPointer<GUpgradesConfiguration> upgradesConfiguration;

protected:
	// Fills the creation parameters from the common profile's display options.
	virtual void readDisplaySettings(const CProfile* commonProfile);
	// The cue of the level music playing under the given play screen.
	virtual StringId levelMusicCue(SceneNode* playScene) const;

private:
	void configureSettings();
	void createSceneManagers();
	// False when neither the assets folder nor the archive is there, or one of them cannot be read.
	bool mountAssets();
	// Keeps the reason for the user and fails the start-up.
	bool failStartup(const std::string& reason);
	// Tells once, on stderr, when nothing can be saved in the per-user data folder.
	void checkSaving();
	// Content is looked up from the game's own folder, not from wherever the shell stands.
	void enterProgramFolder();
	void configureSoundGroups();
	void installCursor(const CProfile* commonProfile);
	void readLogosList();
	bool showFirstScene();
	void applyLayout(const GameScreenLayout& layout);
	// Developer key commands: a screenshot into the per-user data folder, a reload of the configuration.
	void saveScreenshot();
	void reloadConfiguration();
	void drawCursorNode(irr::video::IVideoDriver* driver, BaseNode* node);
	void releaseEngineObjects();

	irr::core::vector2df virtualScreenSize{1024.0f, 768.0f};
	irr::core::recti firstBar{0, 0, 0, 768};
	irr::core::recti secondBar{1024, 0, 1024, 768};
	// The characters of the last key presses, at most as many as the developer code has.
	irr::core::stringc developerKeys;
	// What mountAssets added to the file system; taken out again at shutdown.
	IArchive* assetsFolder = nullptr;
	IArchive* assetsArchive = nullptr;
	bool listening = false;
	std::string startupFailure;
	std::string savingProblem;
};

// The one application object, set during init; cleared when it shuts down.
extern GGameApplication* gGameApplication;
// On once the developer code has been typed; stays on until the process ends.
extern bool gDeveloperMode;
