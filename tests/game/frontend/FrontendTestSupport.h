#pragma once

#include "../GameTestSupport.h"
#include "app/GBaseSceneNode.h"
#include "app/GGameApplication.h"
#include "app/GameNodeClasses.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/ContentType.h"
#include "core/InputEvents.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"
#include "device/CDeviceStub.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace frontendtest
{
// Steps the game 30 ms at a time until the condition holds; false after maxSteps.
inline bool stepUntil(CDeviceStub* device, GGameApplication* application, int maxSteps,
                      const std::function<bool()>& done)
{
	for (int i = 0; i < maxSteps && !done(); ++i)
	{
		device->postEvent(new CEventSystemFlowUpdate(30));
		application->uiSceneManager->drainEvents();
	}
	return done();
}

// The scene the screens are opened over: it records the states it is told to play.
class CoveredScene : public GBaseSceneNode
{
public:
	void setChildrenState(StringId state, StateFallback fallback) override
	{
		played.push_back(getStringById(state).c_str());
		GBaseSceneNode::setChildrenState(state, fallback);
	}
	bool hasPlayed(const char* state) const { return std::find(played.begin(), played.end(), state) != played.end(); }

	std::vector<std::string> played;
};

// The same, taken for the main menu by the screens that slide back to it.
class CoveredMainMenu : public CoveredScene
{
	ENGINE_NODE_TYPE(CoveredMainMenu, NodeTypeGMainMenuScene, CoveredScene)
};

// The application on the null driver, started in the build tree where the generated content is.
class NullDriverApplication : public GGameApplication
{
protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.driverType = 0;
	}
};

// The game started on the null driver with its profiles in a temporary folder, the menu atlas,
// the control templates and the dictionary loaded, and a covered scene shown: screens are opened
// over it from their scene files and driven by hand, one update at a time.
class FrontendStage : public testing::Test
{
protected:
	void SetUp() override
	{
		const std::string root = binaryDir() + "/bin";
		if (access((root + "/assets/scenes/TemplateCollection.qscn").c_str(), R_OK) != 0)
			GTEST_SKIP() << "the content set has not been built";
		prepareProfiles();
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new NullDriverApplication();
		LogCapture log;
		ASSERT_TRUE(application->init()) << log.dump();
		registerGameNodeClasses();
		CContentManager* content = application->contentManager;
		atlas = SmartPointer<ContentObject>(
		    content->getContent(ContentTypeAtlasTextureCollection, "atlases/MainMenu.xml", false));
		ASSERT_TRUE(atlas);
		templates = SmartPointer<TemplateCollectionNode>(nodeCast<TemplateCollectionNode>(dynamic_cast<BaseNode*>(
		    content->getContent(ContentTypeSceneNode, "scenes/TemplateCollection.qscn", false))));
		ASSERT_TRUE(templates);
		application->uiSceneManager->setTemplateCollection(templates.get());
		getDevice()->getDictionary()->loadFile("strings/Dictionary.xml");
		showCovered(new CoveredScene());
	}

	void TearDown() override
	{
		if (application)
		{
			application->uiSceneManager->showScene(nullptr);
			settle();
			application->shutdown();
			application->drop();
		}
		covered = nullptr;
		templates = nullptr;
		atlas = nullptr;
		CProfileManager::instance()->setActiveProfile(-1);
		inBuildTree.reset();
	}

	// Writes the profile file the game reads at start; the default has none.
	virtual void prepareProfiles() {}

	// Shows the scene (one reference taken over) as the only one, the one screens open over.
	void showCovered(CoveredScene* scene)
	{
		covered = SmartPointer<CoveredScene>(scene);
		covered->setName("Covered");
		covered->setBounds({1024, 768, 0});
		ASSERT_TRUE(application->uiSceneManager->showScene(covered.get()));
		settle();
		covered->played.clear();
	}

	// Loads the scene file and opens it over the top scene, the covered one kept visible.
	template <class T> T* open(const char* fileName)
	{
		SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(fileName, false));
		T* scene = nodeCast<T>(loaded.get());
		EXPECT_NE(scene, nullptr) << fileName;
		if (!scene)
			return nullptr;
		EXPECT_TRUE(top()->pushScene(scene, true, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		settle();
		return scene;
	}

	SceneNode* top() const { return application->uiSceneManager->getTopScene(); }

	// Lets posted events and finished transitions through.
	void settle(int updates = 40)
	{
		auto* device = dynamic_cast<CDeviceStub*>(getDevice());
		for (int i = 0; device && i < updates; ++i)
			device->postEvent(new CEventSystemFlowUpdate(20));
	}

	// What a finished click on the control tells its scene.
	static bool press(BaseNode* scene, BaseNode* control)
	{
		CEventNodeClicked clicked(control);
		return scene->onEvent(&clicked);
	}

	static bool keyUp(BaseNode* scene, int key)
	{
		CEventInputKeyUp event(0, key, false, false);
		return scene->onEvent(&event);
	}

	// The profiles as a later start of the game reads them from the file.
	static std::unique_ptr<CProfileManager> reloadedProfiles()
	{
		std::unique_ptr<CProfileManager> manager(new CProfileManager());
		manager->loadProfiles();
		return manager;
	}

	// Replaces the player profiles of the game with these names, the one at active index active.
	static void usePlayers(const std::vector<const wchar_t*>& names, int active)
	{
		CProfileManager* profiles = CProfileManager::instance();
		while (profiles->getProfileCount() > 0)
			profiles->removeProfile(0);
		for (const wchar_t* name : names)
			profiles->addProfile(name);
		profiles->setActiveProfile(active);
		profiles->saveProfiles();
	}

	GameDataFolders folders;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	NullDriverApplication* application = nullptr;
	SmartPointer<ContentObject> atlas;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<CoveredScene> covered;
};
} // namespace frontendtest
