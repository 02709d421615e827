#include "GameTestSupport.h"

#include "app/GGameApplication.h"
#include "audio/CSoundManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "data/GAchievements.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GLogosList.h"
#include "device/CDeviceStub.h"
#include "device/IDevice.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
// The application on the device's null driver, so start-up needs no display.
class NullDriverApplication : public GGameApplication
{
protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		seenDriverType = creationParameters.driverType;
		creationParameters.driverType = 0;
	}

public:
	int seenDriverType = -1;
};

// Looks at the application and its schedulers while an update passes its place in the listener list.
class UpdateProbe : public EventReceiver
{
public:
	explicit UpdateProbe(const GGameApplication* application) : application(application)
	{
		mask = EventCategorySystemFlow;
	}

	bool onEvent(CEvent* event) override
	{
		if (event->typeId() == CEventSystemFlowUpdate::TypeId)
		{
			frameTimes.push_back(application->frameTime);
			uiTimes.push_back(application->uiScheduler->getTime());
			worldTimes.push_back(application->worldScheduler->getTime());
		}
		return false;
	}

	const GGameApplication* application;
	std::vector<int> frameTimes;
	std::vector<double> uiTimes;
	std::vector<double> worldTimes;
};

class GameApplicationStartup : public testing::Test
{
protected:
	void SetUp() override
	{
		device = dynamic_cast<CDeviceStub*>(getDevice());
		ASSERT_NE(device, nullptr);
		application = new NullDriverApplication();
	}

	void TearDown() override
	{
		if (application)
		{
			application->shutdown();
			application->drop();
		}
		CProfileManager::instance()->setActiveProfile(-1);
	}

	bool startInSourceTree()
	{
		ScopedWorkingFolder inSource(sourceDir());
		return application->init();
	}

	GameDataFolders folders;
	CDeviceStub* device = nullptr;
	NullDriverApplication* application = nullptr;
};
} // namespace

TEST_F(GameApplicationStartup, ConfiguresTheEngineAndShowsTheLogos)
{
	LogCapture log;
	ASSERT_TRUE(startInSourceTree()) << log.dump();
	EXPECT_EQ(gGameApplication, application);

	const std::pair<const char*, const wchar_t*> settings[] = {
	    {"PublisherName", L"Pellwick"},
	    {"TitleName", L"Verandel"},
	    {"TitleCaption", L"Verandel"},
	    {"AssetsCryptKey", L"qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf"},
	    {"AssetsFolder", L"assets"},
	};
	for (const auto& [key, value] : settings)
		EXPECT_EQ(device->getSetting(key), irr::core::stringw(value)) << key;
	EXPECT_EQ(device->getSetting("AssetsCryptKey").size(), 59u);
	EXPECT_EQ(device->minStep, 10u);
	EXPECT_EQ(device->maxStep, 10u);

	// The default profile asks for the first driver slot, which opens OpenGL here.
	EXPECT_EQ(application->seenDriverType, 1);
	EXPECT_EQ(application->creationParameters.windowWidth, 1024);
	EXPECT_EQ(application->creationParameters.windowHeight, 768);
	EXPECT_EQ(application->creationParameters.colorBits, 32);
	EXPECT_TRUE(application->creationParameters.fullscreen);
	EXPECT_TRUE(application->creationParameters.vsync);
	EXPECT_TRUE(application->creationParameters.useDesktopResolution);

	ASSERT_NE(application->uiSceneManager, nullptr);
	ASSERT_NE(application->worldSceneManager, nullptr);
	EXPECT_EQ(application->uiSceneManager->getScheduler(), application->uiScheduler);
	EXPECT_EQ(application->worldSceneManager->getScheduler(), application->worldScheduler);
	EXPECT_TRUE(application->uiSceneManager->sortingEnabled);
	EXPECT_TRUE(application->worldSceneManager->sortingEnabled);
	EXPECT_FLOAT_EQ(application->worldSceneManager->getPosition().Z, -4000.0f);

	SceneNode* top = application->uiSceneManager->getTopScene();
	ASSERT_NE(top, nullptr);
	EXPECT_EQ(getStringById(top->getName()), "LogosScene");
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST_F(GameApplicationStartup, ListensAheadOfContentAndSchedulers)
{
	ASSERT_TRUE(startInSourceTree());
	// Probes at the priorities between and after the game's own listeners.
	SmartPointer<UpdateProbe> betweenContentAndSchedulers(new UpdateProbe(application));
	SmartPointer<UpdateProbe> afterSchedulers(new UpdateProbe(application));
	device->addEventListener(betweenContentAndSchedulers.get(), 1);
	device->addEventListener(afterSchedulers.get(), 3);

	const double uiBefore = application->uiScheduler->getTime();
	const double worldBefore = application->worldScheduler->getTime();
	device->postEvent(new CEventSystemFlowUpdate(10));
	device->removeEventListener(betweenContentAndSchedulers.get());
	device->removeEventListener(afterSchedulers.get());

	ASSERT_EQ(betweenContentAndSchedulers->frameTimes.size(), 1u);
	EXPECT_EQ(betweenContentAndSchedulers->frameTimes[0], 10);
	EXPECT_EQ(betweenContentAndSchedulers->uiTimes[0], uiBefore);
	EXPECT_EQ(betweenContentAndSchedulers->worldTimes[0], worldBefore);
	ASSERT_EQ(afterSchedulers->uiTimes.size(), 1u);
	EXPECT_EQ(afterSchedulers->uiTimes[0], uiBefore + 10);
	EXPECT_EQ(afterSchedulers->worldTimes[0], worldBefore + 10);
}

TEST_F(GameApplicationStartup, SetsUpTheThreeSoundGroups)
{
	ASSERT_TRUE(startInSourceTree());
	CSoundManager* sounds = device->getSoundManager();
	ASSERT_NE(sounds, nullptr);
	struct Expected
	{
		int group, fadeOut, fadeIn, maxInstances;
	};
	for (const Expected& e : {Expected{0, 1000, 0, 8}, Expected{1, 1000, 2000, 1}, Expected{2, 1000, 0, 16}})
	{
		const SoundGroupSettings& s = sounds->getGroupSettings(e.group);
		EXPECT_EQ(s.limitPolicy, SoundGroupSettings::FadeOutOldest) << e.group;
		EXPECT_EQ(s.fadeOutMs, e.fadeOut) << e.group;
		EXPECT_EQ(s.fadeInMs, e.fadeIn) << e.group;
		EXPECT_EQ(s.maxInstances, e.maxInstances) << e.group;
	}
}

TEST_F(GameApplicationStartup, DeclaresProfileDefaults)
{
	ASSERT_TRUE(startInSourceTree());
	CProfileManager* profiles = CProfileManager::instance();
	const CProfile* common = profiles->getCommonProfile();
	EXPECT_TRUE(common->getBool("FullScreen"));
	EXPECT_FALSE(common->getBool("WindowsCursor"));
	EXPECT_TRUE(common->getBool("VSync"));
	EXPECT_EQ(common->getInt("AntiAlias"), 0);
	EXPECT_EQ(common->getInt("VideoDriver"), 1);

	ASSERT_TRUE(profiles->addProfile(L"Tester"));
	const CProfile* player = profiles->findProfile(L"Tester");
	ASSERT_NE(player, nullptr);
	EXPECT_TRUE(player->getBool("SoundOn"));
	EXPECT_FLOAT_EQ(player->getFloat("MusicVolume"), 50.0f);
	EXPECT_EQ(player->getInt("MaxUnlockedLevelIndex"), -1);
	EXPECT_TRUE(player->getBool("ShowFinalCredits"));
	EXPECT_EQ(player->getCount(), 19);
	profiles->removeProfile(profiles->getProfileCount() - 1);
}

TEST_F(GameApplicationStartup, AppliesThePlayersVolumes)
{
	ASSERT_TRUE(startInSourceTree());
	CProfileManager* profiles = CProfileManager::instance();
	ASSERT_TRUE(profiles->addProfile(L"Listener"));
	const int index = profiles->getProfileCount() - 1;
	CProfile* player = profiles->getProfile(index);
	profiles->setActiveProfile(index);
	CSoundManager* sounds = device->getSoundManager();

	struct Case
	{
		bool soundOn, musicOn;
		float soundVolume, musicVolume;
		float effects, music;
	};
	for (const Case& c : {Case{true, true, 50.0f, 50.0f, 0.5f, 0.5f}, Case{true, false, 80.0f, 50.0f, 0.8f, 0.0f},
	                      Case{false, true, 80.0f, 30.0f, 0.0f, 0.3f}})
	{
		player->setBool("SoundOn", c.soundOn);
		player->setBool("MusicOn", c.musicOn);
		player->setFloat("SoundVolume", c.soundVolume);
		player->setFloat("MusicVolume", c.musicVolume);
		application->applySoundSettings();
		EXPECT_FLOAT_EQ(sounds->getGroupVolume(0), c.effects);
		EXPECT_FLOAT_EQ(sounds->getGroupVolume(2), c.effects);
		EXPECT_FLOAT_EQ(sounds->getGroupVolume(1), c.music);
	}
	profiles->removeProfile(index);
}

TEST_F(GameApplicationStartup, FailsWithoutTheFirstScene)
{
	ScopedWorkingFolder nowhere(folders.folder().path());
	EXPECT_FALSE(application->init());
}

TEST_F(GameApplicationStartup, ShutdownLetsGoOfTheEngine)
{
	const int listenersBefore = device->getListenerCount();
	ASSERT_TRUE(startInSourceTree());
	EXPECT_GT(device->getListenerCount(), listenersBefore);
	application->shutdown();
	EXPECT_EQ(gGameApplication, nullptr);
	EXPECT_EQ(application->uiSceneManager, nullptr);
	EXPECT_EQ(device->getListenerCount(), listenersBefore);
	// Updates after shutdown reach nothing of the game.
	device->postEvent(new CEventSystemFlowUpdate(10));
}

TEST(GameApplicationDriver, MapsTheProfilesVideoDriver)
{
	const std::pair<int, int> cases[] = {{1, 1}, {2, 2}, {3, 3}, {0, 1}, {7, 1}, {-1, 1}};
	for (const auto& [setting, driver] : cases)
		EXPECT_EQ(GGameApplication::driverTypeForSetting(setting), driver) << setting;
}

TEST(GameApplicationEvents, LogsCloseRequestsAndFocusWithoutTakingThem)
{
	SmartPointer<GGameApplication> application(new GGameApplication());
	LogCapture log;
	CEventSystemFlowCloseRequest close;
	CEventSystemFlowWindowActivate inactive(false);
	EXPECT_FALSE(application->onEvent(&close));
	EXPECT_FALSE(application->onEvent(&inactive));
	EXPECT_TRUE(log.contains("CEventSystemFlowCloseRequest event received", 0));
	EXPECT_TRUE(log.contains("Window focus", 0));
	EXPECT_TRUE(getDevice()->getSoundManager()->getGroupSettings(1).paused);
	EXPECT_FALSE(getDevice()->getSoundManager()->getGroupSettings(2).paused);
	CEventSystemFlowWindowActivate active(true);
	application->onEvent(&active);
	EXPECT_FALSE(getDevice()->getSoundManager()->getGroupSettings(1).paused);
}

TEST_F(GameApplicationStartup, ReadsTheLogosAndTheCurrentPlayersAchievements)
{
	EXPECT_EQ(application->logosList->getLogoCount(), 0u);
	EXPECT_EQ(application->levelScores->size(), 0u);
	EXPECT_EQ(application->comicsConfiguration->size(), 0u);
	EXPECT_EQ(application->achievements->getCounter(0), 1);
	{
		CProfileManager manager;
		manager.loadProfiles();
		ASSERT_TRUE(manager.addProfile(L"Dora"));
		manager.setActiveProfile(manager.getProfileCount() - 1);
		manager.getActiveProfile()->setString("AchievementsProgress", "4;1;0;0;12");
		ASSERT_TRUE(manager.saveProfiles());
	}
	ASSERT_TRUE(startInSourceTree());
	ASSERT_NE(CProfileManager::instance()->getActiveProfile(), nullptr);
	EXPECT_EQ(application->achievements->getCounter(0), 4);
	EXPECT_EQ(application->achievements->getCounter(4), 12);
	EXPECT_GT(application->logosList->getLogoCount(), 0u);
}
