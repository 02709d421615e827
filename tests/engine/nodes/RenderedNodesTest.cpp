#include "NodeLibTestSupport.h"
#include "content/CFont.h"
#include "content/CTexture.h"
#include "nodes/ButtonNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "support/OnScreenTest.h"

#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>
#include <memory>

namespace
{
// A sprite, a centred two-line text and a button drawn by a scene manager into an OpenGL window;
// the pixels are read back from the X server.
class RenderedNodesTest : public onscreen::OnScreenTest
{
protected:
	RenderedNodesTest() : OnScreenTest(160, 120) {}

	void SetUp() override
	{
		OnScreenTest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		fonts = std::make_unique<TextFontFixture>(driver);
		ASSERT_TRUE(fonts->plain);

		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(16, 16));
		image->fill(irr::video::SColor(0xFFFFFFFF));
		SmartPointer<CTexture> texture(CTexture::createFromImage(driver, image, "white.png"));
		image->drop();
		ASSERT_TRUE(texture);
		SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "white.png", texture.get()));
		white = SmartPointer<AtlasTexture>(new AtlasTexture(ContentRef(), page.get(), {0, 0, 1, 1}, {0, 0}, {0, 0}));
		buildScene();
	}

	void TearDown() override
	{
		button = nullptr;
		scene = nullptr;
		manager = nullptr;
		services.reset();
		white = nullptr;
		fonts.reset();
		OnScreenTest::TearDown();
	}

	void buildScene()
	{
		// Templates come from the test services' reader; the green image turns blue on hover.
		services = std::make_unique<ControlTestServices>();
		services->loadTemplates(templateXml(
		    "Button", partXml("SpriteNode", "Image", "<color Name=\"TintColor\" Value=\"ff00ff00\"/>",
		                      tintState("NormalHover", "ff0000ff") + tintState("NormalKillHover", "ff00ff00"))));
		ASSERT_TRUE(services->templates);
		manager = SmartPointer<SceneManager>(new SceneManager());
		manager->setTemplateCollection(services->templates.get());
		scene = SmartPointer<SceneNode>(new SceneNode());
		scene->setTaskScheduler(services->scheduler.get());
		manager->addChild(scene.get());

		SmartPointer<SpriteNode> sprite(new SpriteNode());
		sprite->setPosition({10, 10, 0});
		sprite->setTintColor(irr::video::SColor(0xFFFF0000));
		sprite->setAtlasTexture(white.get());
		scene->addChild(sprite.get());

		SmartPointer<TextNode> text(new TextNode());
		text->setPosition({40, 10, 0});
		text->setBounds({100, 40, 0});
		text->setFont(fonts->plain.get());
		text->setTextHAlign(TextNode::AlignCenter);
		text->setText(L"AB\nC");
		scene->addChild(text.get());

		button = SmartPointer<ButtonNode>(new ButtonNode());
		button->setPosition({10, 60, 0});
		button->setImage(white.get());
		scene->addChild(button.get());
		scene->attachToSceneManager(manager.get(), scene.get());
		button->setTemplateName(internStringId("Button"));
		ASSERT_NE(button->getImagePart(), nullptr);
	}

	void drawFrame()
	{
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
		manager->draw(driver);
		ASSERT_TRUE(driver->endScene());
	}

	std::unique_ptr<TextFontFixture> fonts;
	std::unique_ptr<ControlTestServices> services;
	SmartPointer<AtlasTexture> white;
	SmartPointer<SceneManager> manager;
	SmartPointer<SceneNode> scene;
	SmartPointer<ButtonNode> button;
};

TEST_F(RenderedNodesTest, SpriteCentredTextAndButtonLooksShowWhereLaidOut)
{
	drawFrame();
	// Sprite: 16 x 16 at (10, 10), tinted red.
	// Text at (40, 10), 100 wide: "AB" (16 wide) from x 82 to 98 on y 10 to 20, "C" from 86 to 94 below.
	// Button image: 16 x 16 at (10, 60), green until hovered.
	const std::vector<std::pair<int, int>> points = {{17, 17}, {30, 17}, {85, 15}, {95, 15}, {90, 25},
	                                                 {83, 25}, {96, 25}, {90, 35}, {17, 67}};
	std::vector<unsigned long> pixels = windowPixels(points);
	ASSERT_EQ(pixels.size(), points.size());
	const unsigned long normal[] = {0xFF0000, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
	                                0x000000, 0x000000, 0x000000, 0x00FF00};
	for (size_t i = 0; i < points.size(); ++i)
		EXPECT_EQ(pixels[i], normal[i]) << std::hex << "at " << std::dec << points[i].first << "," << points[i].second
		                                << " got " << std::hex << pixels[i];

	button->setHovered(true);
	drawFrame();
	pixels = windowPixels({{17, 67}, {17, 17}});
	ASSERT_EQ(pixels.size(), 2u);
	EXPECT_EQ(pixels[0], 0x0000FFul) << std::hex << pixels[0];
	EXPECT_EQ(pixels[1], 0xFF0000ul) << std::hex << pixels[1];
}
} // namespace
