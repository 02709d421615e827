#pragma once

// The game application in an OpenGL window on the test display: its screens are opened over a base scene,
// drawn, read back from the X server, checked where a player would look and kept as
// <build>/artifacts/<screen>.png. Include it last: it brings Xlib, whose macros clash with engine names.

#include "GameTestSupport.h"
#include "frontend/FrontendTestSupport.h"
#include "RawTagCheck.h"
#include "device/CLinuxDevice.h"
#include "support/OnScreenTest.h"

#include <functional>
#include <memory>
#include <string>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The game under a caption of its own, windowed, on OpenGL.
class CaptionedApplication : public GGameApplication
{
public:
	explicit CaptionedApplication(const wchar_t* caption) : caption(caption) {}

protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		getDevice()->setSetting("TitleCaption", caption);
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.fullscreen = false;
		creationParameters.driverType = 3;
	}

private:
	const wchar_t* caption;
};

class WindowedGameTest : public testing::Test
{
protected:
	explicit WindowedGameTest(const wchar_t* caption) : caption(caption) {}

	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		const std::string root = binaryDir() + "/bin";
		if (access((root + "/assets/scenes/TemplateCollection.qscn").c_str(), R_OK) != 0)
			GTEST_SKIP() << "the content set has not been built";
		device = dynamic_cast<CLinuxDevice*>(getDevice());
		ASSERT_NE(device, nullptr);
		display = onscreen::openTestDisplay(10);
		ASSERT_NE(display, nullptr);
		{
			CProfileManager manager;
			manager.loadProfiles();
			manager.getCommonProfile()->setBool("FullScreen", false);
			manager.getCommonProfile()->setBool("VSync", false);
			manager.getCommonProfile()->setBool("WindowsCursor", true);
			ASSERT_TRUE(manager.saveProfiles());
		}
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new CaptionedApplication(caption);
		LogCapture log;
		ASSERT_TRUE(application->init()) << log.dump();
		if (!device->hasWindow())
			GTEST_SKIP() << "no OpenGL window";
		registerClasses();
		atlas = SmartPointer<ContentObject>(
		    application->contentManager->getContent(ContentTypeAtlasTextureCollection, "atlases/MainMenu.xml", false));
		ASSERT_TRUE(atlas);
		templates = SmartPointer<TemplateCollectionNode>(nodeCast<TemplateCollectionNode>(dynamic_cast<BaseNode*>(
		    application->contentManager->getContent(ContentTypeSceneNode, "scenes/TemplateCollection.qscn", false))));
		ASSERT_TRUE(templates);
		application->uiSceneManager->setTemplateCollection(templates.get());
		addContent();
		device->getDictionary()->loadFile("strings/Dictionary.xml");
		baseScene = makeBaseScene();
		baseScene->setBounds({1024, 768, 0});
		ASSERT_TRUE(application->uiSceneManager->showScene(baseScene.get()));
		settle();
	}

	void TearDown() override
	{
		if (application)
		{
			application->uiSceneManager->showScene(nullptr);
			settle();
			application->shutdown();
			application->drop();
			application = nullptr;
			DeviceCreationParameters nullDriver;
			nullDriver.driverType = 0;
			device->setCreationParameters(nullDriver);
		}
		baseScene = nullptr;
		templates = nullptr;
		atlas = nullptr;
		CProfileManager::instance()->setActiveProfile(-1);
		inBuildTree.reset();
		if (display)
			XCloseDisplay(display);
	}

	// The node classes the screens need.
	virtual void registerClasses() { registerGameNodeClasses(); }
	// Content loaded after the templates, before the texts.
	virtual void addContent() {}
	// The scene the screens are opened over.
	virtual SmartPointer<SceneNode> makeBaseScene() { return SmartPointer<SceneNode>(new frontendtest::CoveredScene()); }

	void settle(int updates = 60)
	{
		for (int i = 0; i < updates; ++i)
			device->postEvent(new CEventSystemFlowUpdate(20));
	}

	SceneNode* top() const { return application->uiSceneManager->getTopScene(); }

	// Loads the scene file, lets prepare() set it up and pushes it over the top scene, which stays visible.
	template <class T> T* open(const char* fileName, const std::function<void(T*)>& prepare = nullptr)
	{
		SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(fileName, false));
		T* scene = nodeCast<T>(loaded.get());
		EXPECT_NE(scene, nullptr) << fileName;
		if (!scene)
			return nullptr;
		if (prepare)
			prepare(scene);
		EXPECT_TRUE(top()->pushScene(scene, true, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		settle();
		return scene;
	}

	void closeTop()
	{
		top()->closeTo(0);
		settle();
	}

	// Draws frames until the probe point passes the test, then keeps the window as the screen's artifact.
	onscreen::WindowShot shoot(const char* screen, int probeX, int probeY,
	                           const std::function<bool(const onscreen::Rgb&)>& probe)
	{
		const auto frame = [&]
		{
			XRaiseWindow(display, device->getWindowId());
			CEventSystemFlowDraw draw;
			application->onEvent(&draw);
		};
		const auto shown = [&](const onscreen::WindowImage& shot)
		{ return probe(onscreen::rgbOf(shot.at(probeX, probeY))); };
		onscreen::WindowShot shot(
		    onscreen::drawUntilShown(display, device->getWindowId(), 0, 0, 1024, 768, frame, shown, 60));
		EXPECT_EQ(shot.width, 1024) << screen << ": the X server could not be read";
		if (shot.empty())
			return shot;
		EXPECT_TRUE(probe(shot.at(probeX, probeY))) << screen;
		rawtags::expectNone(top(), screen);
		EXPECT_TRUE(onscreen::writeArtifact(device->getVideoDriver(), shot, std::string(screen) + ".png", binaryDir()))
		    << screen;
		return shot;
	}

	// Pixels of the rectangle that pass the test, and one pixel, of a shot kept as a plain image.
	static int count(const onscreen::WindowImage& shot, int x0, int y0, int x1, int y1,
	                 const std::function<bool(const onscreen::Rgb&)>& test)
	{
		int n = 0;
		for (int y = y0; y < y1; ++y)
			for (int x = x0; x < x1; ++x)
				n += test(onscreen::rgbOf(shot.at(x, y))) ? 1 : 0;
		return n;
	}
	static onscreen::Rgb at(const onscreen::WindowImage& shot, int x, int y) { return onscreen::rgbOf(shot.at(x, y)); }

	const wchar_t* caption;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	GameDataFolders folders;
	CLinuxDevice* device = nullptr;
	Display* display = nullptr;
	GGameApplication* application = nullptr;
	SmartPointer<ContentObject> atlas;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<SceneNode> baseScene;
};
