#include "AtlasTestSupport.h"

#include "content/CBitmapFont.h"
#include "core/CPropertyCollection.h"
#include "support/LogCapture.h"

namespace
{

const char* const fontText = R"(<?xml version="1.0"?>
<Font Type="Bitmap">
	<Properties>
		<vector2d Name="GlobalKerning" Value="1.000000;2.000000"/>
		<float Name="OriginalSize" Value="20.000000"/>
	</Properties>
	<Texture Filename="page.png"/>
	<Texture Filename="nothere.png"/>
	<c c="A" r="0,0,10,12" b="1;2" a="0;1" i="0"/>
	<c c="B" r="10,0,18,12" b="0;0" a="2;0"/>
	<c c=" " r="0,0,4,0"/>
	<c c="A" r="0,0,1,1"/>
	<c r="0,0,50,50"/>
	<k c="AB" k="-3"/>
	<k c="ABC" k="5"/>
	<k c="BA" k="1"/>
	<k c="BA" k="2"/>
</Font>
)";

class BitmapFontTest : public NullDriverTest
{
protected:
	SmartPointer<CFont> loadFont(const char* text, const char* name = "fonts/main.qfnt")
	{
		content.writePng("fonts/page.png", 32, 16, quadrantPixel);
		content.write(name, text);
		return content.get<CFont>(ContentTypeFont, name);
	}
};

TEST_F(BitmapFontTest, ReadsPropertiesPagesGlyphsAndKerning)
{
	LogCapture log;
	SmartPointer<CFont> font = loadFont(fontText);
	ASSERT_TRUE(font);
	EXPECT_TRUE(log.contains("Loaded font", 0));
	EXPECT_EQ(font->getContentFlags(), ContentShared);
	EXPECT_EQ(font->getGlobalKerning(), irr::core::vector2df(1, 2));
	EXPECT_EQ(font->getOriginalSize(), 20.0f);
	ASSERT_EQ(font->getPageCount(), 2u);
	ASSERT_TRUE(font->getPage(0));
	EXPECT_STREQ(font->getPage(0)->getContentRef().getName().c_str(), content.path("fonts/page.png").c_str());
	EXPECT_EQ(font->getPage(1), nullptr);
	EXPECT_EQ(font->getPage(7), nullptr);
	// The second "A" is appended but the first mapping stays; the glyph without a character is dropped.
	EXPECT_EQ(font->getGlyphCount(), 4u);
	EXPECT_EQ(font->getGlyphIndex(L'A'), 0u);
	EXPECT_EQ(font->getGlyphIndex(L'Z'), 2u); // the space glyph
	const FontGlyph* a = font->getGlyph(0);
	ASSERT_TRUE(a);
	EXPECT_EQ(a->width, 10.0f);
	EXPECT_EQ(a->height, 12.0f);
	EXPECT_EQ(a->b, irr::core::vector2df(1, 2));
	EXPECT_EQ(a->a, irr::core::vector2df(0, 1));
	EXPECT_EQ(font->getKerning(L'A', L'B'), -3);
	EXPECT_EQ(font->getKerning(L'B', L'A'), 2);
	EXPECT_EQ(font->getKerning(L'A', L'C'), 0);
	EXPECT_EQ(font->getLineHeight(), 15.0f); // A: 12 + 2 + 1
	EXPECT_EQ(font->getGlyphSize(L'A', true), irr::core::vector2df(10, 12));
	EXPECT_EQ(font->getGlyphSize(L'A', false), irr::core::vector2df(12, 12));
}

struct MeasureCase
{
	const wchar_t* text;
	irr::core::vector2df extra;
	irr::core::vector2df size;
};

TEST_F(BitmapFontTest, MeasuresLinesWithKerningAndSpacing)
{
	SmartPointer<CFont> font = loadFont(fontText);
	ASSERT_TRUE(font);
	// Advances: A 11, B 10, space 4; global kerning 1, 2; line height 15.
	const MeasureCase cases[] = {
		{L"", {0, 0}, {0, 15}},
		{L"A", {0, 0}, {11, 15}},
		{L"AB", {0, 0}, {19, 15}},	  // 11 + 1 - 3 + 10
		{L"BA", {0, 0}, {24, 15}},	  // 10 + 1 + 2 + 11
		{L"AB", {1, 0}, {20, 15}},	  // step 2
		{L"A\r\nB", {0, 0}, {11, 32}}, // 15 + 2 + 15
		{L"A\nB", {0, 0}, {11, 32}},
		{L"A\rB", {0, 0}, {11, 32}},
		{L"A\n", {0, 0}, {11, 32}},
		{L"A\n\nBA", {0, 0}, {24, 49}},
		{L"A\nB", {0, 3}, {11, 35}},
		{L"Z", {0, 0}, {4, 15}}, // unknown: the space glyph
	};
	for (const MeasureCase& c : cases)
		EXPECT_EQ(font->measureText(c.text, c.extra), c.size) << irr::core::stringc(c.text).c_str();
}

TEST_F(BitmapFontTest, FontsWithoutSpaceOrGlyphs)
{
	SmartPointer<CFont> noSpace = loadFont(
		"<Font Type=\"Bitmap\"><c c=\"x\" r=\"0,0,5,7\"/><c c=\"y\" r=\"0,0,3,9\"/></Font>", "fonts/nospace.qfnt");
	ASSERT_TRUE(noSpace);
	EXPECT_EQ(noSpace->getGlyphIndex(L'?'), 0u);
	EXPECT_EQ(noSpace->getLineHeight(), 9.0f);
	EXPECT_EQ(noSpace->measureText(L"??", {0, 0}), irr::core::vector2df(10, 9));

	SmartPointer<CFont> empty = loadFont("<Font Type=\"Bitmap\"/>", "fonts/empty.qfnt");
	ASSERT_TRUE(empty);
	EXPECT_EQ(empty->getLineHeight(), 0.0f);
	EXPECT_EQ(empty->measureText(L"abc\nd", {0, 0}), irr::core::vector2df(0, 0));
	EXPECT_EQ(empty->getGlyphSize(L'a', false), irr::core::vector2df(0, 0));
}

TEST_F(BitmapFontTest, OtherTypesAndMalformedFilesGiveNoFont)
{
	const char* files[] = {
		"<Font Type=\"Vector\"><c c=\"A\" r=\"0,0,1,1\"/></Font>",
		"not xml",
		"",
		"<Font Type=\"Bitmap\"><c c=\"A\" r=\"1e39,nan,-",
	};
	int index = 0;
	for (const char* text : files)
	{
		LogCapture log;
		const std::string name = "fonts/bad" + std::to_string(index++) + ".qfnt";
		SmartPointer<CFont> font = loadFont(text, name.c_str());
		EXPECT_TRUE(log.contains("Loaded font", 0)) << text;
		EXPECT_EQ(font ? font->getGlyphCount() : 0u, 0u) << text;
	}
	EXPECT_FALSE(loadFont("<Font Type=\"Vector\"/>", "fonts/vector.qfnt"));
}

TEST(FontProperties, DefaultsWriteNothingAndWrongTypesReadAsZero)
{
	SmartPointer<CBitmapFont> font(new CBitmapFont(ContentRef()));
	SmartPointer<CPropertyCollection> properties(new CPropertyCollection());
	font->saveProperties(properties.get());
	EXPECT_EQ(properties->getCount(), 0);

	font->setOriginalSize(20);
	font->saveProperties(properties.get());
	EXPECT_EQ(properties->getCount(), 1);
	EXPECT_EQ(properties->getFloat("OriginalSize"), 20.0f);

	SmartPointer<CPropertyCollection> wrong(new CPropertyCollection());
	wrong->addInt("OriginalSize", 30);
	wrong->addString("GlobalKerning", "1;2");
	font->setGlobalKerning({5, 5});
	font->loadProperties(wrong.get());
	EXPECT_EQ(font->getOriginalSize(), 0.0f);
	EXPECT_EQ(font->getGlobalKerning(), irr::core::vector2df(0, 0));

	SmartPointer<CPropertyCollection> none(new CPropertyCollection());
	font->setOriginalSize(16);
	font->loadProperties(none.get());
	EXPECT_EQ(font->getOriginalSize(), 16.0f);
}

} // namespace
