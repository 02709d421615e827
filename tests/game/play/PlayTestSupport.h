#pragma once

#include "../GameTestSupport.h"
#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/SystemFlowEvents.h"
#include "data/ProfileKeys.h"
#include "device/CDeviceStub.h"
#include "device/IDevice.h"
#include "frontend/GMainMenuScene.h"
#include "level/GGameLevelScene.h"
#include "play/GGamePlayScene.h"
#include "play/GLevelObjectivesScene.h"
#include "scene/SceneManager.h"
#include "support/LogCapture.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The game started in the build tree with the built content and walked to the main menu, so every
// configuration, atlas, template and text is loaded as in play; then a level is started and the play
// screen pushed over the menu, as the level-loading scene does it.
namespace playtest
{
// The application on the driver the fixture asks for (0: null, 3: OpenGL in a 1024 x 768 window).
class StageApplication : public GGameApplication
{
public:
	explicit StageApplication(int driver) : driver(driver) {}

protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.driverType = driver;
		creationParameters.fullscreen = false;
		creationParameters.windowWidth = 1024;
		creationParameters.windowHeight = 768;
	}

private:
	int driver;
};

class PlayStage : public testing::Test
{
protected:
	explicit PlayStage(int driver = 0) : driver(driver) {}

	void SetUp() override
	{
		const std::string root = binaryDir() + "/bin";
		if (!std::filesystem::exists(root + "/assets/levels/level1/Level.qscn") ||
		    !std::filesystem::exists(root + "/assets/atlases/GameMenu.xml"))
			GTEST_SKIP() << "the content set has not been built";
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new StageApplication(driver);
		ASSERT_TRUE(application->init()) << log.dump();
		choosePlayer();
		ASSERT_TRUE(stepUntil(3000, [&] { return nodeCast<GMainMenuScene>(top()) && settled(); })) << log.dump();
	}

	void TearDown() override
	{
		play = nullptr;
		level = nullptr;
		if (application)
		{
			application->shutdown();
			application->drop();
		}
		CProfileManager* profiles = CProfileManager::instance();
		profiles->setActiveProfile(-1);
		for (int i = profiles->getProfileCount() - 1; i >= 0; --i)
			if (profiles->getProfile(i)->getName() == L"Ada")
				profiles->removeProfile(i);
		gDeveloperMode = false;
		inBuildTree.reset();
	}

	// A player on the first location, before any level, who has turned the tutorial and the tips off.
	CProfile* choosePlayer()
	{
		CProfileManager* profiles = CProfileManager::instance();
		EXPECT_TRUE(profiles->addProfile(L"Ada"));
		profiles->setActiveProfile(profiles->getProfileCount() - 1);
		CProfile* player = profiles->getActiveProfile();
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, 0);
		player->setInt(ProfileKey::LevelIndex, 0);
		player->setBool(ProfileKey::ShowTutorialOn, false);
		player->setBool(ProfileKey::ShowTipsOn, false);
		return player;
	}
	static CProfile* player() { return CProfileManager::instance()->getActiveProfile(); }

	// Loads the play screen and the level of the folder and starts the level; false when it does not start.
	bool startLevel(const char* folder = "levels/level1/")
	{
		CContentManager* content = application->contentManager;
		play = SmartPointer<GGamePlayScene>(
		    nodeCast<GGamePlayScene>(content->getSceneNode(GGamePlayScene::FileName, false)));
		level = SmartPointer<GGameLevelScene>(
		    nodeCast<GGameLevelScene>(content->getSceneNode(irr::core::stringc(folder) + "Level.qscn", false)));
		if (!play || !level)
			return false;
		return play->startLevel(folder, level.get());
	}

	// Starts the level and pushes the play screen over the menu; true once it is the settled top scene.
	// atGoals runs while the level's goals are shown over it.
	bool enterLevel(const char* folder = "levels/level1/", const std::function<void()>& atGoals = {})
	{
		if (!startLevel(folder))
			return false;
		if (!top()->pushScene(play.get(), false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()))
			return false;
		// The level's goals come over the play screen first: read and closed with OK.
		if (!stepUntil(300, [&] { return nodeCast<GLevelObjectivesScene>(top()) && settled(); }))
			return false;
		if (atGoals)
			atGoals();
		top()->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo());
		return stepUntil(300, [&] { return play->isEntered() && play->getPendingAction() == 0; });
	}

	// Steps the game 20 ms at a time until the condition holds; false after maxSteps.
	bool stepUntil(int maxSteps, const std::function<bool()>& done)
	{
		for (int i = 0; i < maxSteps && !done(); ++i)
			step();
		return done();
	}
	void step(unsigned ms = 20)
	{
		dynamic_cast<CDeviceStub*>(getDevice())->postEvent(new CEventSystemFlowUpdate(ms));
		application->uiSceneManager->drainEvents();
	}

	SceneNode* top() const { return application->uiSceneManager->getTopScene(); }
	bool settled() const { return !application->uiSceneManager->isInNavigation(top()); }

	int driver;
	GameDataFolders folders;
	LogCapture log;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	StageApplication* application = nullptr;
	SmartPointer<GGamePlayScene> play;
	SmartPointer<GGameLevelScene> level;
};
} // namespace playtest
