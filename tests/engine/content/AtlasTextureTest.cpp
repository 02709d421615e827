#include "AtlasTestSupport.h"

#include "content/CTexture.h"
#include "core/DeviceEvents.h"
#include "support/LogCapture.h"

#include <map>
#include <tuple>

namespace
{

struct NameCase
{
	const char* name;
	const char* prefix;
	int frameNumber;
	const char* extension;
};

TEST(AtlasTextureNames, SplitIntoPrefixNumberAndExtension)
{
	const NameCase cases[] = {
		{"Walk0012.png", "Walk", 12, ".png"},
		{"anim/walk012.png", "anim/walk", 12, ".png"},
		{"Anim0001.png", "Anim", 1, ".png"},
		{"walk000.png", "walk", 0, ".png"},
		{"walk.png", "walk", -1, ".png"},
		{"Icon.png", "Icon", -1, ".png"},
		{"Icon", "", -1, ""},
		{"", "", -1, ""},
		{".png", "", -1, ""},
		{"a.b/c12.x", "a.b/c", 12, ".x"},
		// Nine digits at most make the number; the rest stays in the prefix.
		{"f1234567890123.png", "f1234", 567890123, ".png"},
	};
	for (const NameCase& c : cases)
	{
		irr::core::stringc prefix, extension;
		int number = 0;
		AtlasTexture::splitFrameName(c.name, prefix, number, extension);
		EXPECT_STREQ(prefix.c_str(), c.prefix) << c.name;
		EXPECT_EQ(number, c.frameNumber) << c.name;
		EXPECT_STREQ(extension.c_str(), c.extension) << c.name;
	}
}

// The fixture's page is 48 x 20 pixels; the null driver wants power-of-two textures, so it is
// padded to 64 x 32 and every frame must be placed on the padded texture.
const char* const listText = R"(<?xml version="1.0"?>
<AtlasTextureCollection>
	<a n="early.png" r="0,0,8,8"/>
	<t f="page.png"/>
	<t f="missing.png"/>
	<a n="ui/red.png" r="0 0 8 8"/>
	<a n="ui/green.png" i="0" r="8,0,16,8" b="1;2" a="3;4"/>
	<a n="ui/wrong.png" r="16,0,8,8"/>
	<a n="ui/line.png" r="4,0,4,8"/>
	<a n="" r="0,0,1,1"/>
	<a n="ui/far.png" i="2" r="0,0,1,1"/>
	<a n="ui/negative.png" i="-1" r="0,0,1,1"/>
	<a n="ui/lost.png" i="1" r="0,0,1,1"/>
</AtlasTextureCollection>
<a n="after.png" r="0,0,1,1"/>
)";

class AtlasListTest : public NullDriverTest
{
protected:
	SmartPointer<AtlasTextureCollection> loadList()
	{
		content.writePng("atlas/page.png", 48, 20, quadrantPixel);
		content.write("atlas/list.xml", listText);
		return content.list("atlas/list.xml");
	}
	AtlasTexture* cachedFrame(const char* name)
	{
		return dynamic_cast<AtlasTexture*>(
			content.manager->findCachedContent(ContentTypeAtlasTexture, ContentRef(content.manager, name)));
	}
};

struct FrameCase
{
	const char* name;
	irr::core::rectf textureRect;
	irr::core::dimension2df size;
	irr::core::vector2df b;
	irr::core::vector2df a;
};

TEST_F(AtlasListTest, ReadsFramesOntoThePaddedPageAndCachesThem)
{
	LogCapture log;
	SmartPointer<AtlasTextureCollection> list = loadList();
	ASSERT_TRUE(list);
	EXPECT_EQ(list->getContentFlags(), ContentNeverCached);
	ASSERT_EQ(list->getPageNames().size(), 2u);
	EXPECT_STREQ(list->getPageNames()[1].c_str(), "missing.png");

	const FrameCase cases[] = {
		{"ui/red.png", {0, 0, 0.125f, 0.25f}, {8, 8}, {0, 0}, {0, 0}},
		{"ui/green.png", {0.125f, 0, 0.25f, 0.25f}, {8, 8}, {1, 2}, {3, 4}},
		// Inverted rectangle: the whole picture, not the padded texture.
		{"ui/wrong.png", {0, 0, 0.75f, 0.625f}, {48, 20}, {0, 0}, {0, 0}},
		{"ui/line.png", {0.0625f, 0, 0.0625f, 0.25f}, {0, 8}, {0, 0}, {0, 0}},
	};
	ASSERT_EQ(list->getFrameCount(), 4u);
	for (irr::u32 i = 0; i < 4; ++i)
	{
		const FrameCase& c = cases[i];
		AtlasTexture* frame = list->getFrame(i);
		ASSERT_TRUE(frame);
		EXPECT_STREQ(frame->getContentRef().getName().c_str(), c.name);
		EXPECT_EQ(cachedFrame(c.name), frame) << c.name;
		EXPECT_EQ(frame->getTextureRect(), c.textureRect) << c.name;
		EXPECT_EQ(frame->getFrameSize(), c.size) << c.name;
		EXPECT_EQ(frame->getB(), c.b) << c.name;
		EXPECT_EQ(frame->getA(), c.a) << c.name;
		EXPECT_TRUE(frame->getDeviceTexture()) << c.name;
		EXPECT_EQ(frame->getContentFlags(), ContentShared);
	}
	EXPECT_EQ(list->getFrame(1)->getUncutSize(), irr::core::dimension2df(12, 14));
	for (const char* skipped : {"early.png", "ui/far.png", "ui/negative.png", "ui/lost.png", "after.png", ""})
		EXPECT_EQ(cachedFrame(skipped), nullptr) << skipped;

	EXPECT_TRUE(log.contains("WARN: image has wrong rectangle", 1));
	EXPECT_EQ(log.problemCount(), 1u) << log.dump();
	int added = 0;
	for (const LogCapture::Line& line : log.lines)
		added += line.text == "Added atlas texture";
	EXPECT_EQ(added, 4);
	EXPECT_TRUE(log.contains("Loaded atlas texture collection", 0));
}

TEST_F(AtlasListTest, AFrameNameCachedAlreadyKeepsTheFirstButIsListed)
{
	SmartPointer<AtlasTextureCollection> first = loadList();
	SmartPointer<AtlasTextureCollection> second = content.list("atlas/list.xml");
	ASSERT_TRUE(first && second);
	ASSERT_EQ(second->getFrameCount(), 4u);
	EXPECT_NE(second->getFrame(0), first->getFrame(0));
	EXPECT_EQ(cachedFrame("ui/red.png"), first->getFrame(0));
}

using FrameRecord = std::tuple<irr::core::rectf, irr::core::vector2df, irr::core::vector2df>;

std::map<std::string, FrameRecord> framesOf(const AtlasTextureCollection& list)
{
	std::map<std::string, FrameRecord> out;
	for (irr::u32 i = 0; i < list.getFrameCount(); ++i)
	{
		const AtlasTexture* f = list.getFrame(i);
		out[f->getContentRef().getName().c_str()] = FrameRecord(f->getTextureRect(), f->getB(), f->getA());
	}
	return out;
}

TEST_F(AtlasListTest, AWrittenListReadsBackWithTheSameFrames)
{
	SmartPointer<AtlasTextureCollection> original = loadList();
	ASSERT_TRUE(original);
	ASSERT_TRUE(content.manager->saveContent(ContentTypeAtlasTextureCollection, original.get(),
		content.path("atlas/copy.xml").c_str(), nullptr));
	LogCapture log;
	SmartPointer<AtlasTextureCollection> copy = content.list("atlas/copy.xml");
	ASSERT_TRUE(copy);
	EXPECT_EQ(framesOf(*copy), framesOf(*original));
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
	// Entries are written sorted by page, then name.
	ASSERT_EQ(copy->getEntries().size(), 4u);
	EXPECT_STREQ(copy->getEntries()[0].name.c_str(), "ui/green.png");
}

TEST_F(AtlasListTest, MalformedListsGiveNoFrames)
{
	content.writePng("atlas/page.png", 48, 20, quadrantPixel);
	const char* lists[] = {
		"not xml at all",
		"<AtlasTextureCollection><t f=\"page.png\"/><a n=\"x.png\" r=\"1e40,-1e40,nan,5",
		"<AtlasTextureCollection><t f=\"page.png\"/><a n=\"big.png\" i=\"99999999999\" r=\"0,0,1,1\"/>",
		"\xEF\xBB\xBF<AtlasTextureCollection><t/><a n=\"nopage.png\"/></AtlasTextureCollection>",
	};
	for (const char* text : lists)
	{
		content.write("atlas/bad.xml", text);
		SmartPointer<AtlasTextureCollection> list = content.list("atlas/bad.xml");
		ASSERT_TRUE(list) << text;
		EXPECT_EQ(list->getFrameCount(), 0u) << text;
	}
}

TEST_F(AtlasListTest, HugeRectanglesAreClampedNotOverflowed)
{
	content.writePng("atlas/page.png", 48, 20, quadrantPixel);
	content.write("atlas/huge.xml",
		"<AtlasTextureCollection><t f=\"page.png\"/><a n=\"huge.png\" r=\"-1e30,0,1e30,4\"/></AtlasTextureCollection>");
	SmartPointer<AtlasTextureCollection> list = content.list("atlas/huge.xml");
	ASSERT_TRUE(list);
	ASSERT_EQ(list->getEntries().size(), 1u);
	EXPECT_EQ(list->getEntries()[0].rect, irr::core::recti(-2147483647 - 1, 0, 2147483647, 4));
}

TEST_F(NullDriverTest, SinglePictureFrameCoversExactlyThePicture)
{
	LogCapture log;
	content.writePng("ui/logo.png", 200, 100, [](irr::u32, irr::u32) { return 0xFF336699u; });
	SmartPointer<AtlasTexture> first = content.frame("ui/logo.png");
	SmartPointer<AtlasTexture> second = content.frame("ui/logo.png");
	ASSERT_TRUE(first);
	EXPECT_EQ(first.get(), second.get());
	EXPECT_EQ(first->getReferenceCount(), 3); // the cache and two requesters
	// 200 x 100 on a 256 x 128 texture.
	EXPECT_EQ(first->getTextureRect(), irr::core::rectf(0, 0, 0.78125f, 0.78125f));
	EXPECT_EQ(first->getFrameSize(), irr::core::dimension2df(200, 100));
	EXPECT_EQ(first->getPage()->getTexture()->getImageSize(), irr::core::dimension2du(256, 128));
	for (ContentType type : {ContentTypeTexture, ContentTypeAtlasTexture})
		EXPECT_EQ(content.manager->getCachedCount(type), 1u) << contentTypeToText(type).c_str();
	// The decoded picture is not kept once its texture is made.
	EXPECT_EQ(content.manager->getCachedCount(ContentTypeImage), 0u);
	for (const char* line : {"Loaded image", "Loaded texture", "Loaded atlas texture"})
		EXPECT_TRUE(log.contains(line, 0)) << line;
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

struct EncodedList
{
	const char* label;
	std::string bytes;
};

// The list text in UTF-16 little-endian with its byte-order mark.
std::string utf16WithMark(const std::wstring& text)
{
	std::string out("\xFF\xFE", 2);
	for (wchar_t c : text)
	{
		out += static_cast<char>(c & 0xFF);
		out += static_cast<char>((c >> 8) & 0xFF);
	}
	return out;
}

// File and frame names beyond ASCII reach the disk as the UTF-8 bytes of the name, from a list in
// any encoding, and a written list names them the same way again.
TEST_F(NullDriverTest, NonAsciiPageAndFrameNamesOpenTheirFiles)
{
	// UTF-8, as the file is named on disk.
	const std::string page = "p\u00e1gina.png";
	const std::string frameName = "ui/bot\u00f3n.png";
	const std::string utf8List = "<AtlasTextureCollection><t f=\"" + page + "\"/><a n=\"" + frameName +
								 "\" r=\"0,0,8,8\"/></AtlasTextureCollection>";
	const EncodedList lists[] = {
		{"UTF-8 without mark", utf8List},
		{"UTF-8 with mark", "\xEF\xBB\xBF" + utf8List},
		{"UTF-16 with mark", utf16WithMark(L"<AtlasTextureCollection><t f=\"p\u00e1gina.png\"/>"
										   L"<a n=\"ui/bot\u00f3n.png\" r=\"0,0,8,8\"/></AtlasTextureCollection>")},
	};
	content.writePng("atlas/" + page, 48, 20, quadrantPixel);
	for (const EncodedList& list : lists)
	{
		content.write("atlas/list.xml", list.bytes);
		SmartPointer<AtlasTextureCollection> read = content.list("atlas/list.xml");
		ASSERT_TRUE(read) << list.label;
		ASSERT_EQ(read->getFrameCount(), 1u) << list.label;
		EXPECT_STREQ(read->getPageNames()[0].c_str(), page.c_str()) << list.label;
		SmartPointer<AtlasTexture> frame(content.manager->getAtlasTexture(frameName.c_str(), false));
		ASSERT_TRUE(frame) << list.label;
		EXPECT_EQ(frame.get(), read->getFrame(0)) << list.label;
		EXPECT_TRUE(frame->getDeviceTexture()) << list.label;
		content.manager->releaseAllContent();
	}

	SmartPointer<AtlasTextureCollection> original = content.list("atlas/list.xml");
	ASSERT_TRUE(original);
	ASSERT_TRUE(content.manager->saveContent(ContentTypeAtlasTextureCollection, original.get(),
		content.path("atlas/copy.xml").c_str(), nullptr));
	content.manager->releaseAllContent();
	SmartPointer<AtlasTextureCollection> copy = content.list("atlas/copy.xml");
	ASSERT_TRUE(copy);
	ASSERT_EQ(copy->getFrameCount(), 1u);
	EXPECT_STREQ(copy->getFrame(0)->getContentRef().getName().c_str(), frameName.c_str());
	EXPECT_TRUE(copy->getFrame(0)->getDeviceTexture());
}

TEST_F(NullDriverTest, APictureNoLoaderTakesGivesNoFrame)
{
	LogCapture log;
	content.write("ui/broken.png", "this is no picture");
	EXPECT_FALSE(content.frame("ui/broken.png"));
	EXPECT_TRUE(log.contains("Can't load image", 1));
	EXPECT_EQ(content.manager->getCachedCount(ContentTypeTexture), 0u);
}

TEST_F(AtlasListTest, TexturesAreDroppedOnResetAndMadeAgainForTheNewDriver)
{
	SmartPointer<AtlasTextureCollection> list = loadList();
	ASSERT_TRUE(list);
	TextureContent* page = list->getFrame(0)->getPage();
	ASSERT_TRUE(page->getTexture());
	const irr::core::rectf rect = list->getFrame(1)->getTextureRect();

	CEventDeviceReset reset;
	content.processors->deliverEvent(DeliverSelfThenChildren, &reset);
	content.manager->deliverEvent(DeliverSelfThenChildren, &reset);
	EXPECT_EQ(page->getTexture(), nullptr);
	EXPECT_EQ(list->getFrame(0)->getDeviceTexture(), nullptr);

	LibraryDevice second(irr::video::EDT_NULL);
	CEventDeviceVideoDriverCreated created(second.driver());
	content.processors->deliverEvent(DeliverSelfThenChildren, &created);
	content.manager->deliverEvent(DeliverSelfThenChildren, &created);
	ASSERT_TRUE(page->getTexture());
	EXPECT_TRUE(list->getFrame(0)->getDeviceTexture());
	EXPECT_EQ(page->getTexture()->getImageSize(), irr::core::dimension2du(64, 32));
	EXPECT_EQ(list->getFrame(1)->getTextureRect(), rect);
	// Released before the second driver goes.
	content.manager->releaseAllContent();
	list = nullptr;
}

} // namespace
