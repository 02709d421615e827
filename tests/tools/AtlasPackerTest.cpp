#include "ToolTestSupport.h"
#include "engine/content/AtlasTestSupport.h"
#include "support/LogCapture.h"

namespace
{
const irr::u32 Red = 0xFFFF0000;
const irr::u32 Green = 0xFF00FF00;

// A 20x20 picture, clear but for a green 5x4 block at (3, 7).
irr::u32 trimmedPixel(irr::u32 x, irr::u32 y)
{
	return x >= 3 && x < 8 && y >= 7 && y < 11 ? Green : 0;
}

class AtlasPackerTest : public NullDriverTest
{
protected:
	// The input folder: a solid picture, one with clear borders in a subfolder, and a clear one.
	void writePictures()
	{
		content.writePng("in/Solid.png", 8, 6, [](irr::u32, irr::u32) { return Red; });
		content.writePng("in/sub/Trimmed.png", 20, 20, trimmedPixel);
		content.writePng("in/Clear.png", 4, 4, [](irr::u32, irr::u32) { return 0u; });
	}

	int pack(std::initializer_list<std::string> options = {})
	{
		std::string command = "'" + builtProgramsFolder() + "/atlas_packer' '" + content.path("in") + "' '" +
		                      content.path("out/Test.xml") + "'";
		for (const std::string& option : options)
			command += " '" + option + "'";
		const int status = std::system((command + " 2>/dev/null").c_str());
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	const AtlasTextureCollection::Entry* entry(AtlasTextureCollection* list, const char* name)
	{
		for (irr::u32 i = 0; i < list->getEntries().size(); ++i)
			if (list->getEntries()[i].name == name)
				return &list->getEntries()[i];
		return nullptr;
	}

	irr::video::IImage* loadPage(const std::string& name)
	{
		return library.driver()->createImageFromFile(content.path("out/" + name).c_str());
	}
};

struct TrimCase
{
	const char* name;
	int width, height;
	irr::core::vector2df b, a;
	irr::u32 colour;
};
} // namespace

TEST_F(AtlasPackerTest, PacksTrimmedFramesThatTheAtlasReaderLoads)
{
	writePictures();
	ASSERT_EQ(pack({"--prefix", "scenes/images/"}), 0);
	LogCapture log;
	SmartPointer<AtlasTextureCollection> list = content.list("out/Test.xml");
	ASSERT_TRUE(list);
	EXPECT_FALSE(log.contains("WARN: image has wrong rectangle"));
	ASSERT_EQ(list->getPageNames().size(), 1u);
	EXPECT_STREQ(list->getPageNames()[0].c_str(), "Test_0.png");
	EXPECT_EQ(list->getFrameCount(), 3u);
	EXPECT_TRUE(log.contains("Added atlas texture", 0));

	irr::video::IImage* page = loadPage("Test_0.png");
	ASSERT_TRUE(page);
	const TrimCase cases[] = {
	    {"scenes/images/Solid.png", 8, 6, {0, 0}, {0, 0}, Red},
	    {"scenes/images/sub/Trimmed.png", 5, 4, {3, 7}, {12, 9}, Green},
	    {"scenes/images/Clear.png", 1, 1, {0, 0}, {3, 3}, 0},
	};
	for (const TrimCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		const AtlasTextureCollection::Entry* frame = entry(list.get(), c.name);
		ASSERT_TRUE(frame);
		EXPECT_EQ(frame->pageIndex, 0);
		EXPECT_EQ(frame->rect.getWidth(), c.width);
		EXPECT_EQ(frame->rect.getHeight(), c.height);
		EXPECT_EQ(frame->b, c.b);
		EXPECT_EQ(frame->a, c.a);
		// The kept pixels are on the page, and the edge is repeated just outside them.
		const irr::core::position2di corner = frame->rect.UpperLeftCorner;
		EXPECT_EQ(page->getPixel(corner.X, corner.Y).color & (c.colour ? 0xFFFFFFFF : 0xFF000000), c.colour);
		EXPECT_EQ(page->getPixel(corner.X - 1, corner.Y - 1).color & (c.colour ? 0xFFFFFFFF : 0xFF000000), c.colour);
		EXPECT_EQ(page->getPixel(frame->rect.LowerRightCorner.X - 1, frame->rect.LowerRightCorner.Y - 1).color &
		              (c.colour ? 0xFFFFFFFF : 0xFF000000),
		          c.colour);
	}
	page->drop();
}

TEST_F(AtlasPackerTest, KeepsWholePicturesWithoutTrimming)
{
	writePictures();
	ASSERT_EQ(pack({"--no-trim", "--padding", "0"}), 0);
	SmartPointer<AtlasTextureCollection> list = content.list("out/Test.xml");
	ASSERT_TRUE(list);
	const AtlasTextureCollection::Entry* trimmed = entry(list.get(), "sub/Trimmed.png");
	ASSERT_TRUE(trimmed);
	EXPECT_EQ(trimmed->rect.getWidth(), 20);
	EXPECT_EQ(trimmed->rect.getHeight(), 20);
	EXPECT_EQ(trimmed->b, irr::core::vector2df(0, 0));
	EXPECT_EQ(trimmed->a, irr::core::vector2df(0, 0));
}

TEST_F(AtlasPackerTest, SpreadsPicturesOverSeveralPagesWithoutOverlap)
{
	for (int i = 0; i < 6; ++i)
		content.writePng("in/Block" + std::to_string(i) + ".png", 14, 14,
		                 [i](irr::u32, irr::u32) { return 0xFF000000u | static_cast<irr::u32>(i + 1); });
	ASSERT_EQ(pack({"--page-size", "32", "--padding", "1"}), 0);
	SmartPointer<AtlasTextureCollection> list = content.list("out/Test.xml");
	ASSERT_TRUE(list);
	ASSERT_EQ(list->getPageNames().size(), 2u);
	EXPECT_EQ(list->getFrameCount(), 6u);
	irr::video::IImage* pages[2] = {loadPage("Test_0.png"), loadPage("Test_1.png")};
	ASSERT_TRUE(pages[0] && pages[1]);
	for (irr::u32 i = 0; i < list->getEntries().size(); ++i)
	{
		const AtlasTextureCollection::Entry& frame = list->getEntries()[i];
		const irr::u32 expected = 0xFF000000u | (static_cast<irr::u32>(frame.name[5] - '0') + 1);
		// Every pixel of every frame still holds its own colour, so no frame was drawn over another.
		for (int y = frame.rect.UpperLeftCorner.Y; y < frame.rect.LowerRightCorner.Y; ++y)
			for (int x = frame.rect.UpperLeftCorner.X; x < frame.rect.LowerRightCorner.X; ++x)
				ASSERT_EQ(pages[frame.pageIndex]->getPixel(x, y).color, expected) << frame.name.c_str();
	}
	pages[0]->drop();
	pages[1]->drop();
}

TEST_F(AtlasPackerTest, RefusesPicturesLargerThanAPageAndMissingFolders)
{
	writePictures();
	EXPECT_EQ(pack({"--no-trim", "--page-size", "16"}), 1);
	EXPECT_EQ(runTool("atlas_packer", {content.path("nothere"), content.path("out/Test.xml")}), 1);
	EXPECT_EQ(runTool("atlas_packer", {content.path("in"), content.path("out/Test.xml"), "--page-size", "x"}), 2);
}
