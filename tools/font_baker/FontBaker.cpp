#include "FontBaker.h"

#include "common/ImageFiles.h"
#include "common/RectanglePacker.h"
#include "common/XmlFileOutput.h"
#include "content/CBitmapFont.h"
#include "content/IXMLWriter.h"
#include "core/CPropertyCollection.h"
#include "core/SmartPointer.h"
#include "core/TextUtils.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
// FreeType's library and face, released in order.
struct FreeTypeFace
{
	FT_Library library = nullptr;
	FT_Face face = nullptr;
	~FreeTypeFace()
	{
		if (face)
			FT_Done_Face(face);
		if (library)
			FT_Done_FreeType(library);
	}
};

int roundedPixels(FT_Pos value)
{
	return static_cast<int>((value + 32) >> 6);
}

std::vector<unsigned char> readCoverage(const FT_Bitmap& bitmap)
{
	std::vector<unsigned char> coverage(static_cast<size_t>(bitmap.width) * bitmap.rows);
	for (unsigned y = 0; y < bitmap.rows; ++y)
	{
		const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
		for (unsigned x = 0; x < bitmap.width; ++x)
		{
			unsigned char value;
			if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
				value = (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
			else
				value = row[x];
			coverage[static_cast<size_t>(y) * bitmap.width + x] = value;
		}
	}
	return coverage;
}

template <typename... Numbers> irr::core::stringw formatted(const char* format, Numbers... numbers)
{
	char text[96];
	std::snprintf(text, sizeof(text), format, numbers...);
	return widen(text);
}
} // namespace

bool parseCharacterRanges(const std::string& text, std::vector<std::pair<unsigned, unsigned>>& ranges)
{
	ranges.clear();
	std::istringstream stream(text);
	std::string part;
	while (std::getline(stream, part, ','))
	{
		char* end = nullptr;
		const unsigned long first = std::strtoul(part.c_str(), &end, 10);
		unsigned long last = first;
		if (end && *end == '-')
			last = std::strtoul(end + 1, &end, 10);
		// Characters are 16-bit in the font file.
		if (end == part.c_str() || !end || *end || first == 0 || last < first || last > 0xFFFF)
			return false;
		ranges.emplace_back(static_cast<unsigned>(first), static_cast<unsigned>(last));
	}
	return !ranges.empty();
}

bool FontBaker::bake(const std::string& fontPath, std::string& error)
{
	glyphs.clear();
	kerning.clear();
	FreeTypeFace ft;
	if (FT_Init_FreeType(&ft.library) != 0 || FT_New_Face(ft.library, fontPath.c_str(), 0, &ft.face) != 0)
	{
		error = "cannot open font " + fontPath;
		return false;
	}
	if (FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(options.pixelSize)) != 0)
	{
		error = "the font has no size " + std::to_string(options.pixelSize);
		return false;
	}
	const FT_Size_Metrics& metrics = ft.face->size->metrics;
	const int ascender = roundedPixels(metrics.ascender);
	lineHeight = std::max(roundedPixels(metrics.height), ascender - roundedPixels(metrics.descender));
	const FT_Int32 loadFlags =
	    FT_LOAD_RENDER | (options.crisp ? FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME : FT_LOAD_TARGET_LIGHT);

	std::vector<FT_UInt> indices;
	for (const auto& range : options.ranges)
		for (unsigned character = range.first; character <= range.second; ++character)
		{
			const FT_UInt index = FT_Get_Char_Index(ft.face, character);
			// Characters the font lacks fall back to the default glyph when drawn.
			if (index == 0 || FT_Load_Glyph(ft.face, index, loadFlags) != 0)
				continue;
			const FT_GlyphSlot slot = ft.face->glyph;
			Glyph glyph;
			glyph.character = character;
			glyph.width = static_cast<int>(slot->bitmap.width);
			glyph.height = static_cast<int>(slot->bitmap.rows);
			glyph.left = slot->bitmap_left;
			glyph.top = ascender - slot->bitmap_top;
			glyph.advance = roundedPixels(slot->advance.x);
			glyph.coverage = readCoverage(slot->bitmap);
			// Blank glyphs (space) take no room on the page, only their advance.
			const bool blank =
			    std::none_of(glyph.coverage.begin(), glyph.coverage.end(), [](unsigned char c) { return c; });
			if (blank)
				glyph.width = glyph.height = glyph.left = glyph.top = 0;
			glyphs.push_back(glyph);
			indices.push_back(index);
		}
	if (glyphs.empty())
	{
		error = "the font has none of the characters asked for";
		return false;
	}

	if (FT_HAS_KERNING(ft.face))
		for (size_t i = 0; i < glyphs.size(); ++i)
			for (size_t j = 0; j < glyphs.size(); ++j)
			{
				FT_Vector delta;
				if (FT_Get_Kerning(ft.face, indices[i], indices[j], FT_KERNING_DEFAULT, &delta) == 0)
					if (const int amount = roundedPixels(delta.x))
						kerning[{glyphs[i].character, glyphs[j].character}] = amount;
			}

	std::vector<std::pair<int, int>> sizes;
	for (const Glyph& glyph : glyphs)
		sizes.emplace_back(glyph.width + 2 * options.padding, glyph.height + 2 * options.padding);
	RectanglePacker packer(options.pageSize, options.pageSize);
	const std::vector<RectanglePacker::Placement> placements = packer.pack(sizes);
	for (size_t i = 0; i < glyphs.size(); ++i)
	{
		if (placements[i].page < 0)
		{
			error = "a glyph is larger than a page";
			return false;
		}
		glyphs[i].page = placements[i].page;
		glyphs[i].x = placements[i].x + options.padding;
		glyphs[i].y = placements[i].y + options.padding;
	}
	pageCount = packer.getPageCount();
	pageSizes.clear();
	for (int page = 0; page < pageCount; ++page)
		pageSizes.push_back(packer.usedPageSize(page));
	return true;
}

bool FontBaker::write(const std::string& fontFilePath, std::string& error) const
{
	const fs::path fontFile(fontFilePath);
	std::error_code ignored;
	if (fontFile.has_parent_path())
		fs::create_directories(fontFile.parent_path(), ignored);
	const std::string stem = fontFile.stem().string();
	std::vector<std::string> pageNames;
	for (int page = 0; page < pageCount; ++page)
	{
		const std::pair<int, int> size = pageSizes[static_cast<size_t>(page)];
		irr::video::IImage* canvas =
		    images.create(static_cast<irr::u32>(size.first), static_cast<irr::u32>(size.second));
		for (const Glyph& glyph : glyphs)
			if (glyph.page == page)
				for (int y = 0; y < glyph.height; ++y)
					for (int x = 0; x < glyph.width; ++x)
					{
						const unsigned alpha = glyph.coverage[static_cast<size_t>(y * glyph.width + x)];
						// White glyphs: the text node's colour tints them.
						canvas->setPixel(static_cast<irr::u32>(glyph.x + x), static_cast<irr::u32>(glyph.y + y),
						                 irr::video::SColor(alpha, 255, 255, 255));
					}
		pageNames.push_back(stem + "_" + std::to_string(page) + ".png");
		const bool saved = images.save(canvas, (fontFile.parent_path() / pageNames.back()).string());
		canvas->drop();
		if (!saved)
		{
			error = "cannot write page " + pageNames.back();
			return false;
		}
	}

	// The engine's own font and property writer keep the file in the form the font reader takes.
	CBitmapFont font{ContentRef()};
	font.setOriginalSize(static_cast<float>(options.pixelSize));
	SmartPointer<CPropertyCollection> properties(new CPropertyCollection());
	font.saveProperties(properties.get());

	const bool written = writeXmlFile(
	    fontFilePath,
	    [&](IXMLWriter& writer)
	    {
		    writer.writeElement(L"Font", false, L"Type", L"Bitmap");
		    writer.writeLineBreak();
		    properties->writeXml(&writer);
		    for (const std::string& page : pageNames)
		    {
			    writer.writeElement(L"Texture", true, L"Filename", widen(page.c_str()).c_str());
			    writer.writeLineBreak();
		    }
		    for (const Glyph& glyph : glyphs)
		    {
			    const wchar_t character[2] = {static_cast<wchar_t>(glyph.character), 0};
			    const irr::core::stringw rect =
			        formatted("%d,%d,%d,%d", glyph.x, glyph.y, glyph.x + glyph.width, glyph.y + glyph.height);
			    const irr::core::stringw before = formatted("%d;%d", glyph.left, glyph.top);
			    // Every glyph's cell is one line high, so the font's line height comes out as lineHeight.
			    const irr::core::stringw after =
			        formatted("%d;%d", glyph.advance - glyph.left - glyph.width, lineHeight - glyph.top - glyph.height);
			    const irr::core::stringw page(glyph.page);
			    writer.writeElement(L"c", true, L"c", character, L"r", rect.c_str(), L"b", before.c_str(), L"a",
			                        after.c_str(), L"i", page.c_str());
			    writer.writeLineBreak();
		    }
		    for (const auto& pair : kerning)
		    {
			    const wchar_t characters[3] = {static_cast<wchar_t>(pair.first.first),
			                                   static_cast<wchar_t>(pair.first.second), 0};
			    const irr::core::stringw amount(pair.second);
			    writer.writeElement(L"k", true, L"c", characters, L"k", amount.c_str());
			    writer.writeLineBreak();
		    }
		    writer.writeClosingTag(L"Font");
		    writer.writeLineBreak();
	    });
	if (!written)
		error = "cannot write " + fontFilePath;
	return written;
}
