#include "ToolTestSupport.h"
#include "content/CBitmapFont.h"
#include "engine/content/AtlasTestSupport.h"
#include "support/LogCapture.h"

#include <set>

namespace
{
const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class FontBakerTest : public NullDriverTest
{
protected:
	// Bakes into fonts/<name>.qfnt and loads it with the engine's font reader.
	SmartPointer<CFont> bake(const std::string& name, const std::string& size,
	                         std::initializer_list<std::string> options)
	{
		std::string command = "'" + builtProgramsFolder() + "/font_baker' '" + DejaVuSans + "' " + size + " '" +
		                      content.path("fonts/" + name + ".qfnt") + "'";
		for (const std::string& option : options)
			command += " '" + option + "'";
		const int status = std::system((command + " 2>/dev/null").c_str());
		EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
		return content.get<CFont>(ContentTypeFont, "fonts/" + name + ".qfnt");
	}

	// The distinct alpha values of a page picture.
	std::set<irr::u32> alphasOf(const std::string& page)
	{
		std::set<irr::u32> alphas;
		irr::video::IImage* image = library.driver()->createImageFromFile(content.path("fonts/" + page).c_str());
		EXPECT_TRUE(image) << page;
		if (!image)
			return alphas;
		for (irr::u32 y = 0; y < image->getDimension().Height; ++y)
			for (irr::u32 x = 0; x < image->getDimension().Width; ++x)
				alphas.insert(image->getPixel(x, y).getAlpha());
		image->drop();
		return alphas;
	}
};
} // namespace

TEST_F(FontBakerTest, BakesLatin1ThatTheFontReaderLoads)
{
	LogCapture log;
	SmartPointer<CFont> font = bake("crisp", "14", {"--crisp"});
	ASSERT_TRUE(font);
	EXPECT_TRUE(log.contains("Loaded font", 0));
	EXPECT_EQ(font->getOriginalSize(), 14.0f);
	EXPECT_EQ(font->getGlobalKerning(), irr::core::vector2df(0, 0));
	ASSERT_EQ(font->getPageCount(), 1u);
	EXPECT_TRUE(font->getPage(0));
	// Printable ASCII and the upper half of Latin-1: 95 + 96 characters, all in DejaVu Sans.
	EXPECT_EQ(font->getGlyphCount(), 191u);
	const irr::u32 space = font->getGlyphIndex(L' ');
	for (wchar_t c : {L'A', L'z', L'0', L'~', L'\u00e9', L'\u00ff', L'\u00a0'})
		EXPECT_TRUE(c == L'\u00a0' || font->getGlyphIndex(c) != space) << static_cast<int>(c);
	EXPECT_EQ(font->getGlyphIndex(L'\u4e00'), space);

	EXPECT_GE(font->getLineHeight(), 14.0f);
	for (irr::u32 i = 0; i < font->getGlyphCount(); ++i)
	{
		const FontGlyph* glyph = font->getGlyph(i);
		// Every cell is one line high, so lines stack evenly.
		EXPECT_EQ(glyph->height + glyph->b.Y + glyph->a.Y, font->getLineHeight()) << i;
	}
	const irr::core::vector2df spaceSize = font->getGlyphSize(L' ', false);
	EXPECT_EQ(font->getGlyphSize(L' ', true), irr::core::vector2df(0, 0));
	EXPECT_GT(spaceSize.X, 2.0f);
	const irr::core::vector2df capital = font->getGlyphSize(L'M', true);
	EXPECT_GT(capital.X, 6.0f);
	EXPECT_GT(capital.Y, 8.0f);
	// One-bit glyphs: only clear and opaque pixels.
	EXPECT_EQ(alphasOf("crisp_0.png"), (std::set<irr::u32>{0, 255}));
}

TEST_F(FontBakerTest, SmoothGlyphsAreAntiAliasedAndKerned)
{
	SmartPointer<CFont> font = bake("smooth", "24", {});
	ASSERT_TRUE(font);
	EXPECT_EQ(font->getOriginalSize(), 24.0f);
	EXPECT_GT(alphasOf("smooth_0.png").size(), 10u);
	const int kerning = font->getKerning(L'A', L'V');
	EXPECT_LT(kerning, 0);
	const float advanceA = font->getGlyphSize(L'A', false).X;
	const float advanceV = font->getGlyphSize(L'V', false).X;
	EXPECT_EQ(font->measureText(L"AV", irr::core::vector2df()).X, advanceA + advanceV + static_cast<float>(kerning));
}

TEST_F(FontBakerTest, BakesOnlyTheCharactersAskedFor)
{
	SmartPointer<CFont> font = bake("two", "12", {"--chars", "65-66"});
	ASSERT_TRUE(font);
	EXPECT_EQ(font->getGlyphCount(), 2u);
	// Without a space glyph, glyph 0 stands in for everything else.
	EXPECT_EQ(font->getGlyphIndex(L'B'), 1u);
	EXPECT_EQ(font->getGlyphIndex(L'C'), 0u);
}

TEST_F(FontBakerTest, RefusesBadArguments)
{
	const std::string out = content.path("fonts/bad.qfnt");
	EXPECT_EQ(runTool("font_baker", {content.path("nothere.ttf"), "14", out}), 1);
	EXPECT_EQ(runTool("font_baker", {DejaVuSans, "14", out, "--chars", "70-65"}), 2);
	EXPECT_EQ(runTool("font_baker", {DejaVuSans, "0", out}), 2);
	EXPECT_EQ(runTool("font_baker", {DejaVuSans, "14", out, "--chars", "57344-57345"}), 1); // none in the font
}
