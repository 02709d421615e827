#include "AssetsTestSupport.h"
#include "app/GameNodeClasses.h"
#include "content/AtlasTexture.h"
#include "core/StringId.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "effects/GBaloonNode.h"
#include "effects/GCircularBirdNode.h"
#include "effects/GEffectNode.h"
#include "effects/GFireworkNode.h"
#include "effects/GLakeWaveNode.h"
#include "effects/GPicEffectNode.h"
#include "effects/GShieldEffectNode.h"
#include "effects/GShieldStarNode.h"
#include "effects/GSpiralMovableNode.h"
#include "effects/GWeatherParticlesNode.h"
#include "frontend/GRectangleNode.h"
#include "nodes/SpriteNode.h"
#include "scene/PropertyValue.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"
#include "support/OnScreenTest.h"

#include <cmath>
#include <filesystem>
#include <irrlicht/irrlicht.h>
#include <memory>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>

// Every effect node of the game alive in one scene, with the content set's pictures, drawn by the
// OpenGL device while it runs; the window is kept as <build>/artifacts/effects.png.
namespace
{
constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 640;
const irr::video::SColor Grass(255, 118, 176, 84);
const irr::video::SColor Lake(255, 60, 120, 200);
const float GroundColours[2][3] = {{118, 176, 84}, {60, 120, 200}};

using irr::core::vector2df;
using irr::core::vector3df;

class EffectNodesScreenshots : public ::testing::Test
{
protected:
	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		assets = std::make_unique<MountedAssets>(3, WindowWidth, WindowHeight);
		if (!assets->device || !assets->device->getVideoDriver())
			GTEST_SKIP() << "no OpenGL device";
		ASSERT_TRUE(assets->folder);
		stub = dynamic_cast<CDeviceStub*>(assets->device);
		ASSERT_TRUE(stub);
		registerApplicationNodeClasses();
		registerGameNodeClasses();
		for (const char* atlas : {"atlases/Movers.xml", "atlases/Effects.xml", "atlases/MainMenu.xml"})
		{
			atlases.push_back(assets->load<ContentObject>(ContentTypeAtlasTextureCollection, atlas));
			ASSERT_TRUE(atlases.back()) << atlas;
		}
		movers = assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "levels/common/Movers.qscn");
		miniGames = assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "scenes/MiniGameTemplates.qscn");
		ASSERT_TRUE(movers && miniGames);
		for (int number = 1; number <= 4; ++number)
		{
			fireworks.push_back(assets->load<BaseNode>(ContentTypeSceneNode, "levels/common/Fireworks/" +
			                                                                     std::to_string(number) + "/f.qscn"));
			ASSERT_TRUE(fireworks.back()) << number;
		}
		manager = SmartPointer<SceneManager>(assets->device->createSceneManager());
		ASSERT_TRUE(manager);
		scheduler = SmartPointer<TaskScheduler>(assets->device->createTaskScheduler());
		assets->device->addEventListener(scheduler.get(), 0);
		manager->setScheduler(scheduler.get());
		// The circling bird copies its bird from the scene's templates.
		manager->setTemplateCollection(movers.get());
		buildScene();
	}

	void TearDown() override
	{
		effects.clear();
		if (manager)
			manager->showScene(nullptr);
		scene = nullptr;
		if (scheduler && assets && assets->device)
			assets->device->removeEventListener(scheduler.get());
		manager = nullptr;
		scheduler = nullptr;
		movers = nullptr;
		miniGames = nullptr;
		fireworks.clear();
		atlases.clear();
		assets.reset();
	}

	// A sprite of an atlas picture, centred on its node.
	SpriteNode* picture(BaseNode* parent, const char* name, float w, float h)
	{
		SmartPointer<ContentObject> frame(assets->manager->getContent(ContentTypeAtlasTexture, name, false));
		SmartPointer<SpriteNode> sprite(new SpriteNode());
		sprite->setName("Picture");
		sprite->setAtlasTexture(dynamic_cast<AtlasTexture*>(frame.get()));
		sprite->setBounds({w, h, 0.0f});
		sprite->setPosition({-w / 2, -h / 2, 0.0f});
		parent->addChild(sprite.get());
		return sprite.get();
	}

	// Puts a new effect node (one reference taken over) into the scene at (x, y).
	template <class T> T* place(T* node, const char* label, float x, float y, BaseNode* parent = nullptr)
	{
		node->setPosition({x, y, 1.0f});
		(parent ? parent : scene.get())->addChild(node);
		effects.push_back({label, SmartPointer<BaseNode>(node)});
		return node;
	}

	BaseNode* copyOf(TemplateCollectionNode* collection, const char* name)
	{
		BaseNode* model = collection->findChild(internStringId(name), 1);
		return model ? model->clone() : nullptr;
	}

	void buildScene()
	{
		scene = SmartPointer<SceneNode>(new SceneNode());
		scene->setBounds({WindowWidth, WindowHeight, 0});
		ASSERT_TRUE(manager->showScene(scene.get()));
		SmartPointer<GRectangleNode> grass(new GRectangleNode());
		grass->setBounds({WindowWidth, WindowHeight, 0.0f});
		grass->setFillColor(Grass);
		scene->addChild(grass.get());
		SmartPointer<GRectangleNode> lakeWater(new GRectangleNode());
		lakeWater->setPosition({260.0f, 380.0f, 0.5f});
		lakeWater->setBounds({240.0f, 140.0f, 0.0f});
		lakeWater->setFillColor(Lake);
		scene->addChild(lakeWater.get());

		BaseNode* balloon = copyOf(movers.get(), "Balloon");
		ASSERT_TRUE(balloon);
		balloon->setPropertyByName("LifeTime", makeIntValue(60000));
		place(balloon, "balloon", 110.0f, 560.0f);

		auto* bird = new GCircularBirdNode();
		bird->setPropertyByName("Ellipse1Size", makeVector2dValue({100.0f, 40.0f}));
		bird->setPropertyByName("Ellipse2Size", makeVector2dValue({60.0f, 30.0f}));
		place(bird, "circling bird", 300.0f, 170.0f);
		// The bird is looked up in the templates of the scene the node is in.
		bird->setPropertyByName("BirdTemplateID", makeStringValue("Bird"));

		// Slower rockets than in a level, so that all stay in the window: two have burst when the
		// picture is taken, two still climb.
		const int moveTimes[] = {1200, 1400, 2600, 3000};
		for (size_t i = 0; i < fireworks.size(); ++i)
		{
			BaseNode* rocket = fireworks[i]->clone();
			rocket->setPropertyByName("VelocityXRange", makeVector2dValue({0.0f, 0.0f}));
			rocket->setPropertyByName("VelocityYRange", makeVector2dValue({-330.0f, -330.0f}));
			const float moveTime = static_cast<float>(moveTimes[i]);
			rocket->setPropertyByName("MoveTimeRange", makeVector2dValue({moveTime, moveTime}));
			place(rocket, "firework", 600.0f + 120.0f * static_cast<float>(i), 630.0f);
		}

		auto* lake = new GLakeWaveNode();
		SmartPointer<GRectangleNode> wave(new GRectangleNode());
		wave->setName("Wave");
		wave->setBounds({200.0f, 12.0f, 0.0f});
		wave->setPosition({0.0f, 50.0f, 0.0f});
		wave->setFillColor(irr::video::SColor(255, 200, 230, 255));
		lake->addChild(wave.get());
		picture(lake, "particles/Sparkle.png", 24.0f, 24.0f)->setName("Star");
		lake->onLoaded();
		lake->setBounds({200.0f, 100.0f, 0.0f});
		place(lake, "lake wave", 280.0f, 400.0f);

		// Shield effects fly themselves around the origin of their parent: a burst is a group of them.
		SmartPointer<BaseNode> burst(new BaseNode());
		burst->setPosition({470.0f, 190.0f, 1.0f});
		scene->addChild(burst.get());
		for (int i = 0; i < 6; ++i)
		{
			auto* shield = new GShieldEffectNode();
			shield->setPropertyByName("Area1Rect1Size", makeVector2dValue({260.0f, 160.0f}));
			shield->setPropertyByName("Area1Rect2Size", makeVector2dValue({120.0f, 80.0f}));
			shield->setPropertyByName("Area2RectSize", makeVector2dValue({30.0f, 30.0f}));
			shield->setPropertyByName("MovingTime", makeIntValue(60000));
			picture(shield, "scenes/images/MiniGames/FoundStar.png", 24.0f, 24.0f);
			place(shield, "shield effect", 0.0f, 0.0f, burst.get());
		}

		BaseNode* star = copyOf(miniGames.get(), "HOFoundStarNode");
		ASSERT_TRUE(star);
		star->setPropertyByName("LifeTime", makeIntValue(60000));
		star->setPropertyByName("VelocityRange", makeVector2dValue({5.0f, 5.0f}));
		star->setPropertyByName("Accel1Range", makeVector2dValue({0.0f, 0.0f}));
		star->setPropertyByName("Accel2Range", makeVector2dValue({0.0f, 0.0f}));
		place(star, "shield star", 840.0f, 120.0f);

		auto* swing = new GPicEffectNode();
		swing->setPropertyByName("WidthRange", makeVector2dValue({30.0f, 30.0f}));
		swing->setPropertyByName("LifeTime", makeIntValue(60000));
		BaseNode* swingPicture = copyOf(movers.get(), "Balloon");
		ASSERT_TRUE(swingPicture);
		BaseNode* swingBody = swingPicture->findChild(internStringId("Picture"), 1);
		ASSERT_TRUE(swingBody);
		swing->addChild(swingBody);
		swingPicture->drop();
		place(swing, "swinging picture", 100.0f, 320.0f);

		auto* spiral = new GSpiralMovableNode();
		spiral->setPropertyByName("RRange", makeVector2dValue({50.0f, 50.0f}));
		spiral->setPropertyByName("RVelocityRange", makeVector2dValue({0.0f, 0.0f}));
		spiral->setPropertyByName("AngleVelocityRange", makeVector2dValue({90.0f, 90.0f}));
		spiral->setPropertyByName("RotVelocityRange", makeVector2dValue({90.0f, 90.0f}));
		spiral->setPropertyByName("LifeTime", makeIntValue(60000));
		picture(spiral, "scenes/images/MiniGames/FoundStar.png", 32.0f, 32.0f);
		place(spiral, "spiral", 860.0f, 330.0f);

		rain = SmartPointer<GWeatherParticlesNode>(new GWeatherParticlesNode(ContentRef(assets->manager, "t.qscn")));
		rain->setConfigurationFilename("levels/common/Effects/Rain.xml");
		SmartPointer<ContentObject> drop(
		    assets->manager->getContent(ContentTypeAtlasTexture, "particles/Rain.png", false));
		rain->setAtlasTexture(dynamic_cast<AtlasTexture*>(drop.get()));
		rain->setPosition({0.0f, 0.0f, 5000.0f});
		scene->addChild(rain.get());
	}

	void advance(int updates)
	{
		for (int i = 0; i < updates; ++i)
			stub->postEvent(new CEventSystemFlowUpdate(20));
	}

	// Runs the scene 1.8 s, drawing every 100 ms as the game would, then grabs the window.
	onscreen::WindowImage draw()
	{
		irr::video::IVideoDriver* driver = assets->device->getVideoDriver();
		const auto frame = [&]
		{
			driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
			manager->draw(driver);
			driver->endScene();
		};
		for (int i = 0; i < 18; ++i)
		{
			frame();
			advance(5);
		}
		Display* display = onscreen::openTestDisplay();
		if (!display)
			return onscreen::WindowImage();
		const auto shown = [](const onscreen::WindowImage& image)
		{ return ((image.at(5, 5) >> 8) & 0xff) > 150; };
		onscreen::WindowImage shot = onscreen::drawUntilShown(display, onscreen::windowOf(driver), 0, 0, WindowWidth,
		                                                      WindowHeight, frame, shown, 50);
		XCloseDisplay(display);
		return shot;
	}

	// Whether the pixel is the background, or the background lightened by a rain streak.
	static bool background(unsigned long p)
	{
		const float c[3] = {static_cast<float>((p >> 16) & 0xff), static_cast<float>((p >> 8) & 0xff),
		                    static_cast<float>(p & 0xff)};
		for (const float* ground : {GroundColours[0], GroundColours[1]})
		{
			// How far towards white the red channel says it is; the other channels must agree.
			const float a = (c[0] - ground[0]) / (255.0f - ground[0]);
			bool onLine = a > -0.03f && a < 1.0f;
			for (int i = 0; i < 3 && onLine; ++i)
				onLine = std::abs(ground[i] + a * (255.0f - ground[i]) - c[i]) < 8.0f;
			if (onLine)
				return true;
		}
		return false;
	}

	// Pixels in a box around the node's place that are neither grass nor lake nor rain.
	static int paintedAround(const onscreen::WindowImage& shot, const BaseNode* node, int half)
	{
		const vector3df at = node->getAbsoluteTransformation().getTranslation();
		int painted = 0;
		for (int y = static_cast<int>(at.Y) - half; y < static_cast<int>(at.Y) + half; ++y)
			for (int x = static_cast<int>(at.X) - half; x < static_cast<int>(at.X) + half; ++x)
				if (x >= 0 && y >= 0 && x < shot.width && y < shot.height)
					painted += background(shot.at(x, y)) ? 0 : 1;
		return painted;
	}

	struct Effect
	{
		const char* label;
		SmartPointer<BaseNode> node;
	};

	std::unique_ptr<MountedAssets> assets;
	CDeviceStub* stub = nullptr;
	std::vector<SmartPointer<ContentObject>> atlases;
	SmartPointer<TemplateCollectionNode> movers;
	SmartPointer<TemplateCollectionNode> miniGames;
	std::vector<SmartPointer<BaseNode>> fireworks;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<SceneManager> manager;
	SmartPointer<SceneNode> scene;
	SmartPointer<GWeatherParticlesNode> rain;
	std::vector<Effect> effects;
};
} // namespace

TEST_F(EffectNodesScreenshots, EveryEffectNodeRunsAndDrawsInOneScene)
{
	const onscreen::WindowImage shot = draw();
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	const std::string folder =
	    std::string(std::getenv("TEST_BINARY_DIR") ? std::getenv("TEST_BINARY_DIR") : ".") + "/artifacts";
	std::filesystem::create_directories(folder);
	EXPECT_TRUE(onscreen::writePng(assets->device->getVideoDriver(), shot, folder + "/effects.png"));

	// Each effect started, is still in the scene, and has put pictures on screen where it is.
	for (const Effect& effect : effects)
	{
		auto* running = dynamic_cast<GEffectNode*>(effect.node.get());
		ASSERT_TRUE(running) << effect.label;
		EXPECT_TRUE(running->isStarted()) << effect.label;
		EXPECT_NE(effect.node->getParent(), nullptr) << effect.label;
		const BaseNode* shown = effect.node->getChildren().empty() ? effect.node.get() : effect.node->getChildren()[0];
		if (auto* circling = dynamic_cast<GCircularBirdNode*>(running))
		{
			shown = circling->getBird();
			ASSERT_TRUE(shown) << effect.label;
		}
		EXPECT_GT(paintedAround(shot, shown, 40), 100) << effect.label;
	}
	EXPECT_GT(rain->getParticleCount(), 100u);
}
