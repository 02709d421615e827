#include "ListTestSupport.h"
#include "content/AtlasTexture.h"
#include "content/CTexture.h"
#include "content/TextureContent.h"
#include "nodes/ListNode.h"
#include "support/OnScreenTest.h"

#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>

using namespace widgettest;

namespace
{
// A vertical list of 40 x 40 elements whose "Image" part stretches its frame over the element.
std::string drawTemplates()
{
	const std::string image =
	    nodeXml("SpriteNode", "Image",
	            vectorProperty("Bounds", 40, 40) +
	                "<int Name=\"ImageStretchX\" Value=\"1\"/><int Name=\"ImageStretchY\" Value=\"1\"/>");
	return nodeXml("BaseNode", "List", "", nodeXml("BaseNode", "Element", vectorProperty("Bounds", 40, 40), image));
}

// A list drawn into a real OpenGL window; the window's pixels are read from the X server.
class ListDraw : public onscreen::OnScreenTest
{
protected:
	ListDraw() : OnScreenTest(120, 240) {}

	void TearDown() override
	{
		frames.clear();
		OnScreenTest::TearDown();
	}

	// A frame covering a whole 8 x 8 texture of one colour.
	AtlasTexture* solidFrame(irr::video::SColor colour)
	{
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(8, 8));
		image->fill(colour);
		SmartPointer<CTexture> texture(CTexture::createFromImage(driver, image, "solid.png"));
		image->drop();
		SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "solid.png", texture.get()));
		frames.emplace_back(
		    new AtlasTexture(ContentRef(), page.get(), {0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}));
		return frames.back().get();
	}

	void drawFrame(BaseNode* root) { drawBatched(root, irr::video::SColor(255, 0, 0, 64)); }

	std::vector<SmartPointer<AtlasTexture>> frames;
};

TEST_F(ListDraw, FiveItemsShowTheirPicturesInOrder)
{
	WidgetScene scene(drawTemplates());
	SmartPointer<ListNode> list(new ListNode());
	list->setBounds({40.0f, 200.0f, 0.0f});
	list->setCircular(false);
	scene.attach(list.get());
	list->setTemplateName(internStringId("List"));
	ASSERT_EQ(list->getElementCount(), 5);

	const unsigned long colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFFFFFF};
	list->setItemCount(5);
	for (unsigned i = 0; i < 5; ++i)
		list->setItemImage(i, 0, solidFrame(irr::video::SColor(0xFF000000u | colours[i])));
	list->refreshElements();
	drawFrame(scene.log.get());

	std::vector<std::pair<int, int>> points;
	for (int i = 0; i < 5; ++i)
		points.push_back({20, 20 + 40 * i});
	points.push_back({80, 20});
	const std::vector<unsigned long> pixels = windowPixels(points);
	ASSERT_EQ(pixels.size(), 6u);
	for (int i = 0; i < 5; ++i)
		EXPECT_EQ(pixels[i], colours[i]) << "element " << i << " " << std::hex << pixels[i];
	EXPECT_EQ(pixels[5], 0x000040ul) << std::hex << pixels[5];

	// Four items leave the last element hidden; the pictures stay with their items.
	list->setItemCount(4);
	list->setTopItem(1);
	drawFrame(scene.log.get());
	const std::vector<unsigned long> after = windowPixels({{20, 20}, {20, 140}, {20, 180}});
	ASSERT_EQ(after.size(), 3u);
	EXPECT_EQ(after[0], colours[0]) << std::hex << after[0];
	EXPECT_EQ(after[1], colours[3]) << std::hex << after[1];
	EXPECT_EQ(after[2], 0x000040ul) << std::hex << after[2];
}
} // namespace
