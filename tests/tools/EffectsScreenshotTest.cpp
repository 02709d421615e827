#include "AssetsScreenTest.h"
#include "AssetsTestSupport.h"
#include "app/GameNodeClasses.h"
#include "core/StringId.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "effects/GWeatherParticlesNode.h"
#include "frontend/GRectangleNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"
#include "support/OnScreenTest.h"

#include <irrlicht/irrlicht.h>
#include <memory>

// The movers' and effects' pictures from the content set, drawn by the OpenGL device over a patch of
// town with rain falling; the window is kept as <build>/artifacts/movers.png.
namespace
{
constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 640;

using onscreen::Rgb;
using onscreen::rgbOf;

class EffectsScreenshotTest : public AssetsScreenTest
{
protected:
	EffectsScreenshotTest() : AssetsScreenTest(WindowWidth, WindowHeight) {}

	void SetUp() override
	{
		mountAssets();
		if (IsSkipped() || HasFatalFailure())
			return;
		registerApplicationNodeClasses();
		registerGameNodeClasses();
		for (const char* atlas : {"atlases/Movers.xml", "atlases/Effects.xml"})
		{
			atlases.push_back(assets->load<ContentObject>(ContentTypeAtlasTextureCollection, atlas));
			ASSERT_TRUE(atlases.back()) << atlas;
		}
		movers = assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "levels/common/Movers.qscn");
		ASSERT_TRUE(movers);
		menuMovers = assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "scenes/MainMenuMovers.qscn");
		ASSERT_TRUE(menuMovers);
		for (int number = 1; number <= 4; ++number)
		{
			fireworks.push_back(assets->load<BaseNode>(ContentTypeSceneNode, "levels/common/Fireworks/" +
			                                                                     std::to_string(number) + "/f.qscn"));
			ASSERT_TRUE(fireworks.back()) << number;
		}
		startSceneManager();
		if (HasFatalFailure())
			return;
		buildScene();
	}

	void TearDown() override
	{
		if (manager)
			manager->showScene(nullptr);
		scene = nullptr;
		stopSceneManager();
		movers = nullptr;
		menuMovers = nullptr;
		fireworks.clear();
		atlases.clear();
		assets.reset();
	}

	// A copy of the "Body" (or "Picture") of a mover template, placed and turned by a state.
	BaseNode* addPicture(const char* templateName, const char* part, float x, float y, const char* state,
	                     TemplateCollectionNode* collection = nullptr)
	{
		BaseNode* model = (collection ? collection : movers.get())->findChild(internStringId(templateName), 1);
		BaseNode* picture = model ? model->findChild(internStringId(part), 1) : nullptr;
		if (!picture)
			return nullptr;
		BaseNode* copy = picture->clone(scene.get(), manager.get());
		copy->setPosition({x, y, 1.0f});
		if (state)
			copy->setState(internStringId(state), nullptr, StringId());
		return copy;
	}

	void addRectangle(float x, float y, float w, float h, irr::video::SColor colour)
	{
		SmartPointer<GRectangleNode> rectangle(new GRectangleNode());
		rectangle->setPosition({x, y, 0.0f});
		rectangle->setBounds({w, h, 0.0f});
		rectangle->setFillColor(colour);
		scene->addChild(rectangle.get());
	}

	void buildScene()
	{
		scene = SmartPointer<SceneNode>(new SceneNode());
		scene->setBounds({WindowWidth, WindowHeight, 0});
		ASSERT_TRUE(manager->showScene(scene.get()));
		addRectangle(0, 0, WindowWidth, WindowHeight, irr::video::SColor(255, 118, 176, 84)); // grass
		addRectangle(0, 250, WindowWidth, 120, irr::video::SColor(255, 96, 100, 108));        // road
		const char* headings[] = {"Right", "RightDown", "Down", "LeftDown", "Left", "LeftUp", "Up", "RightUp"};
		for (int i = 0; i < 8; ++i)
		{
			const float x = 80.0f + i * 120.0f;
			addPicture("Bird", "Body", x, 80.0f, headings[i]);
			addPicture("Pedestrian", "Body", x, 200.0f, headings[i]);
		}
		redCar = addPicture("CarRed", "Body", 120.0f, 290.0f, "Right");
		blueCar = addPicture("CarBlue", "Body", 320.0f, 290.0f, "Left");
		addPicture("CarYellow", "Body", 520.0f, 330.0f, "Right");
		addPicture("Van", "Body", 760.0f, 330.0f, "Left");
		addPicture("Bird", "Body", 900.0f, 480.0f, "LeftUp_Flap");
		addPicture("Balloon", "Picture", 150.0f, 560.0f, nullptr);
		addPicture("Balloon", "Picture", 190.0f, 540.0f, nullptr);
		addPicture("MenuCloud", "Picture", 420.0f, 450.0f, nullptr, menuMovers.get());
		addPicture("MenuCar", "Body", 300.0f, 620.0f, "Down1", menuMovers.get());
		addPicture("MenuCar", "Body", 400.0f, 620.0f, "Up4", menuMovers.get());
		addPicture("MenuBike", "Body", 500.0f, 600.0f, "RightUpUp", menuMovers.get());
		addPicture("MenuPedestrian", "Body", 560.0f, 600.0f, "Down", menuMovers.get());
		// Each firework's burst at its full size.
		for (size_t i = 0; i < fireworks.size(); ++i)
		{
			BaseNode* rocket = fireworks[i].get();
			BaseNode* burst = rocket->findChild(internStringId("Burst"), 1)->clone(scene.get(), manager.get());
			burst->setVisible(true);
			burst->setScale({0.8f, 0.8f, 1.0f});
			burst->setPosition({660.0f + 100.0f * static_cast<float>(i), 560.0f, 2.0f});
		}

		rain = SmartPointer<GWeatherParticlesNode>(new GWeatherParticlesNode(ContentRef(assets->manager, "t.qscn")));
		rain->setConfigurationFilename("levels/common/Effects/Rain.xml");
		SmartPointer<ContentObject> drop(
		    assets->manager->getContent(ContentTypeAtlasTexture, "particles/Rain.png", false));
		rain->setAtlasTexture(dynamic_cast<AtlasTexture*>(drop.get()));
		rain->setPosition({0.0f, 0.0f, 5000.0f});
		scene->addChild(rain.get());
	}

	onscreen::WindowImage draw()
	{
		const irr::video::SColor black(255, 0, 0, 0);
		// One frame starts the rain; a second later it falls over the whole window.
		drawFrame(black);
		advance(50);
		const auto shown = [](const onscreen::WindowImage& image) { return rgbOf(image.at(10, 630)).g > 150; };
		return shootScene(black, shown);
	}

	std::vector<SmartPointer<ContentObject>> atlases;
	SmartPointer<TemplateCollectionNode> movers;
	SmartPointer<TemplateCollectionNode> menuMovers;
	std::vector<SmartPointer<BaseNode>> fireworks;
	SmartPointer<SceneNode> scene;
	SmartPointer<GWeatherParticlesNode> rain;
	BaseNode* redCar = nullptr;
	BaseNode* blueCar = nullptr;
};
} // namespace

TEST_F(EffectsScreenshotTest, MoversAndRainAreDrawnFromTheirPictures)
{
	ASSERT_TRUE(redCar && blueCar);
	const onscreen::WindowImage shot = draw();
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	saveArtifact(shot, "movers.png");

	// The cars' bodies in their own colours, centred on their places.
	const Rgb red = rgbOf(shot.at(120 - 6, 290));
	EXPECT_GT(red.r, red.g + 60) << red.r << " " << red.g << " " << red.b;
	const Rgb blue = rgbOf(shot.at(320 + 6, 290 + 5));
	EXPECT_GT(blue.b, blue.r + 60) << blue.r << " " << blue.g << " " << blue.b;
	EXPECT_GT(rain->getParticleCount(), 100u);
	// Rain streaks lighten the grass in the lower half of the window.
	int light = 0;
	for (int y = 400; y < 640; ++y)
		for (int x = 300; x < 1024; ++x)
		{
			const Rgb c = rgbOf(shot.at(x, y));
			light += c.r > 160 && c.b > 160 ? 1 : 0;
		}
	EXPECT_GT(light, 100);
}
