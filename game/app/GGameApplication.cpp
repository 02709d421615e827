#include "GGameApplication.h"

#include "GameScreenLayout.h"
#include "app/GameNodeClasses.h"
#include "audio/CSoundManager.h"
#include "audio/IAudioDevice.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CQuadBatcher.h"
#include "content/CXMLReader.h"
#include "content/ContentType.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "content/ImageContent.h"
#include "core/DeviceEvents.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "core/Random.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "data/GAchievements.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GLogosList.h"
#include "data/GUpgradesConfiguration.h"
#include "data/GameNodeTypeIds.h"
#include "data/GameProfileChecks.h"
#include "data/GameProfileDefaults.h"
#include "data/ProfileKeys.h"
#include "device/CDeviceStub.h"
#include "device/CLinuxDevice.h"
#include "device/CTimer.h"
#include "device/CursorControl.h"
#include "device/IDevice.h"
#include "platform/DataFolders.h"
#include "platform/StartupProblems.h"
#include "play/GGamePlayScene.h"
#include "scene/RenderEntry.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"

#include <irrlicht/IVideoDriver.h>
#include <irrlicht/IrrCompileConfig.h>

#include <cstdio>
#include <unistd.h>

GGameApplication* gGameApplication = nullptr;
bool gDeveloperMode = false;

namespace
{
const wchar_t* const AssetsCryptKey = L"qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";
const char* const FirstSceneName = "scenes/LogosScene.qscn";
const char* const CursorImageName = "scenes/images/Cursor.png";
// The tip of the arrow in the cursor picture.
constexpr int CursorHotSpot = 2;
const char* const DeveloperCode = "plumvask";
constexpr int KeyR = 82;
constexpr int KeyS = 83;

// Only A to Z change: the code is matched whatever the Shift or Caps Lock state.
char lowerAscii(int character)
{
	const char c = static_cast<char>(character);
	return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct SoundGroupSetup
{
	int group;
	int fadeInMs;
	int maxInstances;
};

// Effects, music (one piece at a time, faded in) and the level's own sounds.
constexpr SoundGroupSetup soundGroupSetups[] = {{0, 0, 8}, {1, 2000, 1}, {2, 0, 16}};

// Drops a reference-counted engine object held in a raw field and clears the field.
template <class T> void release(T*& object)
{
	if (object)
		object->drop();
	object = nullptr;
}

// Starts the cue unless it plays already, with its group's fade-in.
void playMusicCue(CSoundManager* sounds, StringId cue)
{
	// The manager holds the instance it starts.
	sounds->playCue(cue, true, 0);
}

// Whether the named XML document reads to the end of its root element. The scene reader takes what
// it can from a file cut short or overwritten on the disk; the first scene must be whole.
bool isCompleteDocument(IFileSystem* files, const char* name)
{
	SmartPointer<CXMLReader> reader(files ? files->createXMLReader(name) : nullptr);
	if (!reader)
		return false;
	long depth = 0;
	while (reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT)
		{
			if (!reader->isEmptyElement())
				++depth;
			else if (depth == 0)
				return true;
		}
		else if (reader->getNodeType() == XML_NODE_ELEMENT_END && --depth <= 0)
		{
			return depth == 0;
		}
	}
	return false;
}

float volumeOf(const CProfile* profile, const char* onKey, const char* volumeKey)
{
	float volume = profile->getBool(onKey) ? 1.0f : 0.0f;
	if (volume > 0.0f)
		volume = profile->getFloat(volumeKey) * 0.01f;
	return volume;
}
} // namespace

GGameApplication::GGameApplication()
    : logosList(new GLogosList()), comicsConfiguration(new GComicsConfiguration()), levelScores(new GLevelScores()),
      achievements(new GAchievements()), buildingsConfiguration(new GBuildingsConfiguration()),
      upgradesConfiguration(new GUpgradesConfiguration())
{
	mask = EventCategoryDevice | EventCategorySystemFlow | EventCategoryKeyboard | EventCategoryMouse;
}

GGameApplication::~GGameApplication()
{
	releaseEngineObjects();
	if (gGameApplication == this)
		gGameApplication = nullptr;
}

// ---- events

const EventMap& GGameApplication::eventMap()
{
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {
	        {CEventDeviceVideoDriverCreated::TypeId,
	         &eventHandler<GGameApplication, CEventDeviceVideoDriverCreated, &GGameApplication::onVideoDriverCreated>},
	        {CEventSystemFlowUpdate::TypeId,
	         &eventHandler<GGameApplication, CEventSystemFlowUpdate, &GGameApplication::onUpdate>},
	        {CEventSystemFlowDraw::TypeId,
	         &eventHandler<GGameApplication, CEventSystemFlowDraw, &GGameApplication::onDraw>},
	        {CEventSystemFlowWindowActivate::TypeId,
	         &eventHandler<GGameApplication, CEventSystemFlowWindowActivate, &GGameApplication::onWindowActivate>},
	        {CEventSystemFlowCloseRequest::TypeId,
	         &eventHandler<GGameApplication, CEventSystemFlowCloseRequest, &GGameApplication::onCloseRequest>},
	        {CEventInputKeyDown::TypeId,
	         &eventHandler<GGameApplication, CEventInputKeyDown, &GGameApplication::onKeyDown>},
	    });
	return table;
}

bool GGameApplication::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

// ---- start-up

bool GGameApplication::init()
{
	IDevice* device = getDevice();
	if (!device)
		return false;

	Random::instance()->seed(device->getTimer() ? device->getTimer()->getRealTime() : 0u);
	if (auto* stub = dynamic_cast<CDeviceStub*>(device))
	{
		stub->minStep = 10;
		stub->maxStep = 10;
	}
	configureSettings();

	CProfileManager* profiles = CProfileManager::instance();
	declareGameProfileDefaults(*profiles);
	profiles->loadProfiles();
	checkGameProfiles(*profiles);
	checkSaving();

	// Scene files fall back on the engine class named by Type for a class not written yet.
	registerApplicationNodeClasses();

	gGameApplication = this;
	if (!listening)
		listening = device->addEventListener(this, UiListenerPriority);

	readDisplaySettings(profiles->getCommonProfile());
	if (!device->setCreationParameters(creationParameters))
	{
		const auto* platformDevice = dynamic_cast<const CLinuxDevice*>(device);
		const std::string why = platformDevice && !platformDevice->getWindowFailure().empty()
		                            ? platformDevice->getWindowFailure()
		                            : std::string("the video driver could not be created");
		return failStartup("could not open a window: " + why);
	}

	contentManager = device->createContentManager();
	device->addEventListener(contentManager, ContentManagerPriority);
	uiScheduler = device->createTaskScheduler();
	device->addEventListener(uiScheduler, SchedulerPriority);
	worldScheduler = device->createTaskScheduler();
	device->addEventListener(worldScheduler, SchedulerPriority);
	createSceneManagers();
	if (!uiSceneManager || !worldSceneManager)
		return false;

	if (!mountAssets())
		return false;
	if (IAudioDevice* audio = device->getAudioDevice())
		audio->setStreamingThreshold(StreamingThreshold);
	configureSoundGroups();
	if (const CProfile* player = profiles->getActiveProfile())
	{
		applySoundSettings();
		achievements->load(player->getString(ProfileKey::AchievementsProgress));
	}
	installCursor(profiles->getCommonProfile());
	readLogosList();

	if (!showFirstScene())
		return failStartup(std::string("could not load the first scene \"") + FirstSceneName +
		                   "\": it is missing or damaged");
	updateLayout();
	return true;
}

void GGameApplication::configureSettings()
{
	IDevice* device = getDevice();
	device->setSetting("PublisherName", L"Pellwick");
	device->setSetting("TitleName", L"Verandel");
	device->setSetting("TitleCaption", L"Verandel");
	device->setSetting("AssetsCryptKey", AssetsCryptKey);
	device->setSetting("AssetsFolder", L"assets");
}

int GGameApplication::driverTypeForSetting(int videoDriver)
{
	switch (videoDriver)
	{
	case 2:
		return 2;
	case 3:
		return 3;
	default:
		return 1;
	}
}

void GGameApplication::readDisplaySettings(const CProfile* common)
{
	creationParameters.driverType = driverTypeForSetting(common ? common->getInt(ProfileKey::VideoDriver) : 1);
	creationParameters.fullscreen = common && common->getBool(ProfileKey::FullScreen);
	creationParameters.antiAlias = common && common->getInt(ProfileKey::AntiAlias) != 0;
	creationParameters.vsync = common && common->getBool(ProfileKey::VSync);
	creationParameters.windowWidth = GameScreenLayout::VirtualWidth;
	creationParameters.windowHeight = GameScreenLayout::VirtualHeight;
	creationParameters.colorBits = 32;
	creationParameters.stencilBuffer = false;
	creationParameters.useDesktopResolution = true;
	creationParameters.highPrecisionFpu = false;
	creationParameters.sdkVersion = IRRLICHT_SDK_VERSION;
}

void GGameApplication::createSceneManagers()
{
	IDevice* device = getDevice();
	uiSceneManager = device->createSceneManager();
	if (uiSceneManager)
	{
		uiSceneManager->sortingEnabled = true;
		uiSceneManager->setScheduler(uiScheduler);
		device->addEventListener(uiSceneManager, SchedulerPriority);
	}
	worldSceneManager = device->createSceneManager();
	if (worldSceneManager)
	{
		worldSceneManager->sortingEnabled = true;
		worldSceneManager->setScheduler(worldScheduler);
		// Behind everything the screens draw; the play screen hangs it into its tree.
		worldSceneManager->setPosition(irr::core::vector3df(0.0f, 0.0f, WorldLayerDepth));
	}
}

bool GGameApplication::failStartup(const std::string& reason)
{
	startupFailure = reason;
	return false;
}

void GGameApplication::checkSaving()
{
	IFileSystem* files = getDevice()->getFileSystem();
	const std::string folder = files ? files->getUserDataFolder().c_str() : "";
	savingProblem = folder.empty() ? std::string("there is no data folder") : describeUnwritableFolder(folder);
	if (savingProblem.empty())
		return;
	savingProblem = "the data folder \"" + folder + "\" cannot be written: " + savingProblem;
	std::fprintf(stderr, "%s: progress will not be saved: %s\n",
	             narrow(getDevice()->getSetting("TitleCaption")).c_str(), savingProblem.c_str());
}

void GGameApplication::enterProgramFolder()
{
	IFileSystem* files = getDevice()->getFileSystem();
	const std::string own = getProgramFolder();
	if (!files || own.empty())
		return;
	const std::string folder = own + "/" + narrow(getDevice()->getSetting("AssetsFolder")).c_str();
	// A program that has no content beside it (a test program, a build run from its sources) keeps the folder
	// it was started in.
	if (::access(folder.c_str(), F_OK) == 0 || ::access((folder + ".qca").c_str(), F_OK) == 0)
		files->changeWorkingDirectory(own.c_str());
}

bool GGameApplication::mountAssets()
{
	IDevice* device = getDevice();
	IFileSystem* files = device->getFileSystem();
	if (!files)
		return failStartup("could not read the game's content: there is no file system");
	enterProgramFolder();
	const irr::core::stringc folder = narrow(device->getSetting("AssetsFolder"));
	const irr::core::stringc archive = folder + ".qca";
	const bool hasFolder = files->existFile(folder, false);
	const bool hasArchive = files->existFile(archive, false);
	// Either is enough to run; the folder's loose files win over the archive's.
	if (!hasFolder && !hasArchive)
		return failStartup(std::string("could not find the game's content: there is neither a folder \"") +
		                   folder.c_str() + "\" nor an archive \"" + archive.c_str() + "\" in " +
		                   files->getWorkingDirectory().c_str());

	files->setAssetsCryptKey(narrow(device->getSetting("AssetsCryptKey")));
	if (hasFolder)
	{
		const std::string path = files->getAbsolutePath(folder).c_str();
		std::string why = describeUnreadablePath(path, true);
		if (why.empty() && !(assetsFolder = files->addArchive(folder, false, false)))
			why = "it could not be added to the file system";
		if (!why.empty())
			return failStartup("could not read the assets folder \"" + path + "\": " + why);
	}
	if (hasArchive)
	{
		const std::string path = files->getAbsolutePath(archive).c_str();
		std::string why = describeUnreadablePath(path, false);
		if (why.empty())
		{
			assetsArchive = files->addArchive(archive, false, false);
			// A damaged archive opens with no entries at all.
			if (!assetsArchive || assetsArchive->getFileCount() == 0)
				why = "it is damaged or not a content archive of this game";
		}
		if (!why.empty())
			return failStartup("could not read the content archive \"" + path + "\": " + why);
	}
	return true;
}

void GGameApplication::configureSoundGroups()
{
	CSoundManager* sounds = getDevice()->getSoundManager();
	if (!sounds)
		return;
	for (const SoundGroupSetup& setup : soundGroupSetups)
	{
		SoundGroupSettings& group = sounds->getGroupSettings(setup.group);
		group.limitPolicy = SoundGroupSettings::FadeOutOldest;
		group.fadeOutMs = 1000;
		group.fadeInMs = setup.fadeInMs;
		group.maxInstances = setup.maxInstances;
	}
}

void GGameApplication::installCursor(const CProfile* common)
{
	CursorControl* cursor = getDevice()->getCursorControl();
	if (!cursor)
		return;
	if (!common || !common->getBool(ProfileKey::WindowsCursor))
	{
		SmartPointer<ContentObject> content(contentManager->getContent(ContentTypeImage, CursorImageName, false));
		if (auto* image = dynamic_cast<ImageContent*>(content.get()))
			cursor->setImage(image->getImage(), CursorHotSpot, CursorHotSpot);
	}
	// The window draws the pointer; the engine's own cursor node stays off until a screen asks for it.
	cursor->setVisible(false);
}

void GGameApplication::readLogosList()
{
	IFileSystem* files = getDevice()->getFileSystem();
	SmartPointer<CXMLReader> reader(files ? files->createXMLReader(GLogosList::FileName) : nullptr);
	// Without the file the list stays empty and the logos scene goes straight on.
	if (reader)
		logosList->load(reader.get());
}

bool GGameApplication::showFirstScene()
{
	if (!isCompleteDocument(getDevice()->getFileSystem(), FirstSceneName))
		return false;
	SmartPointer<BaseNode> node(contentManager->getSceneNode(FirstSceneName, false));
	SceneNode* scene = nodeCast<SceneNode>(node.get());
	if (!scene)
		return false;
	return uiSceneManager->showScene(scene, SceneNode::nameIdNavTo());
}

// ---- running and shutting down

bool GGameApplication::run()
{
	IDevice* device = getDevice();
	return device && device->run();
}

void GGameApplication::shutdown()
{
	if (gGameApplication == this)
		gGameApplication = nullptr;
	releaseEngineObjects();
	if (listening)
	{
		listening = false;
		if (IDevice* device = Singleton<IDevice>::peek())
			device->removeEventListener(this);
	}
}

void GGameApplication::releaseEngineObjects()
{
	IDevice* device = Singleton<IDevice>::peek();
	if (device)
	{
		for (EventReceiver* listener :
		     {static_cast<EventReceiver*>(uiSceneManager), static_cast<EventReceiver*>(worldScheduler),
		      static_cast<EventReceiver*>(uiScheduler), static_cast<EventReceiver*>(contentManager)})
			if (listener)
				device->removeEventListener(listener);
	}
	IFileSystem* files = device ? device->getFileSystem() : nullptr;
	for (IArchive** archive : {&assetsFolder, &assetsArchive})
	{
		if (*archive && files)
			files->removeArchive(*archive);
		*archive = nullptr;
	}
	release(uiScheduler);
	release(worldScheduler);
	release(uiSceneManager);
	release(worldSceneManager);
	release(contentManager);
}

// ---- layout and drawing

void GGameApplication::updateLayout()
{
	if (!uiSceneManager)
		return;
	irr::video::IVideoDriver* driver = getDevice()->getVideoDriver();
	if (!driver)
		return;
	const irr::core::dimension2du size = driver->getScreenSize();
	applyLayout(computeGameScreenLayout(static_cast<int>(size.Width), static_cast<int>(size.Height)));
}

void GGameApplication::applyLayout(const GameScreenLayout& layout)
{
	firstBar = layout.firstBar;
	secondBar = layout.secondBar;
	uiSceneManager->setPosition(
	    irr::core::vector3df(static_cast<float>(layout.offsetX), static_cast<float>(layout.offsetY), 0.0f));
	uiSceneManager->setScale(irr::core::vector3df(layout.scaleX, layout.scaleY, 1.0f));
}

bool GGameApplication::onDraw(CEventSystemFlowDraw*)
{
	irr::video::IVideoDriver* driver = getDevice()->getVideoDriver();
	if (!driver || !driver->beginScene(true, true, irr::video::SColor(0)))
		return false;
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	if (uiSceneManager)
		uiSceneManager->draw(driver);
	batcher->flush();
	const irr::video::SColor black(0xff000000);
	if (firstBar.getArea() > 0)
		driver->draw2DRectangle(black, firstBar);
	if (secondBar.getArea() > 0)
		driver->draw2DRectangle(black, secondBar);
	CursorControl* cursor = getDevice()->getCursorControl();
	if (cursor && cursor->isCursorNodeShown() && cursor->getCursorNode())
	{
		drawCursorNode(driver, cursor->getCursorNode());
		batcher->flush();
	}
	driver->endScene();
	return false;
}

void GGameApplication::drawCursorNode(irr::video::IVideoDriver* driver, BaseNode* node)
{
	// In window pixels, over the bars: the node belongs to no scene manager.
	RenderList entries;
	node->addToRenderList(entries);
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	batcher->begin();
	for (irr::u32 i = 0; i < entries.size(); ++i)
		entries[i].node->draw(driver, nullptr);
	batcher->end();
}

bool GGameApplication::onUpdate(CEventSystemFlowUpdate* event)
{
	frameTime = event->elapsed;
	return false;
}

bool GGameApplication::onVideoDriverCreated(CEventDeviceVideoDriverCreated* event)
{
	if (event->driver)
		event->driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
	IDevice* device = getDevice();
	device->setWindowCaption(device->getSetting("TitleCaption").c_str());
	updateLayout();
	return false;
}

bool GGameApplication::onWindowActivate(CEventSystemFlowWindowActivate* event)
{
	getLogger()->log("Window focus", event->active ? "true" : "false", 0);
	if (CSoundManager* sounds = getDevice()->getSoundManager())
	{
		sounds->setGroupPaused(!event->active, 1);
		sounds->setGroupPaused(!event->active, 0);
	}
	return false;
}

bool GGameApplication::onCloseRequest(CEventSystemFlowCloseRequest*)
{
	getLogger()->log("CEventSystemFlowCloseRequest event received", 0);
	return false;
}

bool GGameApplication::onKeyDown(CEventInputKeyDown* event)
{
	// A key that types nothing adds a zero, which breaks a half-typed code.
	developerKeys.append(lowerAscii(event->character));
	const irr::u32 codeLength = static_cast<irr::u32>(strlen(DeveloperCode));
	if (developerKeys.size() > codeLength)
		developerKeys = developerKeys.subString(developerKeys.size() - codeLength, codeLength);
	if (developerKeys == DeveloperCode)
	{
		gDeveloperMode = true;
		developerKeys = "";
	}
	if (!gDeveloperMode || !event->control || !event->shift)
		return false;
	if (event->key == KeyS)
		saveScreenshot();
	else if (event->key == KeyR)
		reloadConfiguration();
	return false;
}

void GGameApplication::saveScreenshot()
{
	IDevice* device = getDevice();
	irr::video::IVideoDriver* driver = device->getVideoDriver();
	IFileSystem* files = device->getFileSystem();
	irr::video::IImage* image = driver ? driver->createScreenShot() : nullptr;
	if (!image)
		return;
	// Owns the image from here on.
	SmartPointer<ImageContent> content(new ImageContent(image, ContentRef()));
	if (!files || !contentManager)
		return;
	const irr::core::stringc folder = files->getUserDataFolder();
	for (int n = 0;; ++n)
	{
		const irr::core::stringc name = folder + "/screenshot" + irr::core::stringc(n) + ".jpg";
		if (files->existFile(name, false))
			continue;
		contentManager->saveContent(ContentTypeImage, content.get(), name, nullptr);
		return;
	}
}

void GGameApplication::reloadConfiguration()
{
	IFileSystem* files = getDevice()->getFileSystem();
	if (!files)
		return;
	// Each file replaces what its holder read before; a file that does not open is skipped.
	if (SmartPointer<CXMLReader> reader =
	        SmartPointer<CXMLReader>(files->createXMLReader("levels/common/BuildingsConfiguration.xml")))
		buildingsConfiguration->load(reader.get());
	if (SmartPointer<CXMLReader> reader =
	        SmartPointer<CXMLReader>(files->createXMLReader("levels/common/UpgradesConfiguration.xml")))
		upgradesConfiguration->load(reader.get());
	if (SmartPointer<CXMLReader> reader =
	        SmartPointer<CXMLReader>(files->createXMLReader(GComicsConfiguration::FileName)))
		comicsConfiguration->load(reader.get());
	// The scores are read again from where the start-up read them, so an edit there shows.
	if (SmartPointer<CXMLReader> reader = SmartPointer<CXMLReader>(files->createXMLReader(GLevelScores::FileName)))
		levelScores->load(reader.get());
}

// ---- sound options

StringId GGameApplication::levelMusicCue(SceneNode* playScene) const
{
	const auto* play = nodeCast<GGamePlayScene>(playScene);
	return play ? play->getMusicCue() : StringId();
}

void GGameApplication::applySoundSettings()
{
	const CProfile* profile = CProfileManager::instance()->getActiveProfile();
	CSoundManager* sounds = getDevice()->getSoundManager();
	if (!profile || !sounds)
		return;
	const bool soundOn = profile->getBool(ProfileKey::SoundOn);
	const bool musicOn = profile->getBool(ProfileKey::MusicOn);
	const float effects = volumeOf(profile, ProfileKey::SoundOn, ProfileKey::SoundVolume);
	sounds->setGroupVolume(effects, 0);
	sounds->setGroupVolume(effects, 2);
	sounds->setGroupVolume(volumeOf(profile, ProfileKey::MusicOn, ProfileKey::MusicVolume), 1);

	if (musicOn)
	{
		SceneNode* playScene = nullptr;
		for (SceneNode* scene = uiSceneManager ? uiSceneManager->getTopScene() : nullptr; scene && !playScene;
		     scene = scene->getSceneBelow())
			if (scene->isKindOf(NodeTypeGGamePlayScene))
				playScene = scene;
		const StringId levelCue = playScene ? levelMusicCue(playScene) : StringId();
		if (!levelCue.isEmpty())
			playMusicCue(sounds, levelCue);
		else if (!playScene)
		{
			playMusicCue(sounds, internStringId("MenuMusic"));
			playMusicCue(sounds, internStringId("MainMenuAmbient"));
		}
	}
	else
	{
		sounds->stopGroup(1);
	}
	if (!soundOn)
	{
		sounds->stopGroup(0);
		sounds->stopGroup(2);
	}
}
