#include "CFont.h"

#include "content/AtlasTexture.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyValue.h"

CFont::CFont(const ContentRef& reference) : ContentObject(reference)
{
	contentFlags = ContentShared;
}

CFont::~CFont()
{
	clear();
	kerning.clear();
}

void CFont::clear()
{
	for (irr::u32 i = 0; i < pages.size(); ++i)
		if (pages[i])
			pages[i]->drop();
	pages.clear();
	glyphs.clear();
	characters.clear();
	defaultGlyph = 0;
}

void CFont::saveProperties(CPropertyCollection* properties) const
{
	if (!properties)
		return;
	if (globalKerning.X != 0.0f || globalKerning.Y != 0.0f)
		properties->addVector2d("GlobalKerning", globalKerning);
	if (originalSize != DefaultOriginalSize)
		properties->addFloat("OriginalSize", originalSize);
}

void CFont::loadProperties(const CPropertyCollection* properties)
{
	if (!properties)
		return;
	if (properties->indexOf("GlobalKerning") >= 0)
		globalKerning = propertyAsVector2d(properties->get("GlobalKerning").get());
	if (properties->indexOf("OriginalSize") >= 0)
		originalSize = propertyAsFloat(properties->get("OriginalSize").get());
}

AtlasTexture* CFont::getPage(int index) const
{
	return index >= 0 && static_cast<irr::u32>(index) < pages.size() ? pages[static_cast<irr::u32>(index)] : nullptr;
}

void CFont::addPage(AtlasTexture* page)
{
	pages.push_back(page);
}

void CFont::addGlyph(wchar_t character, const FontGlyph& glyph)
{
	characters.emplace(character, glyphs.size());
	glyphs.push_back(glyph);
}

void CFont::setKerning(wchar_t first, wchar_t second, int amount)
{
	kerning[std::make_pair(first, second)] = amount;
}

irr::u32 CFont::getGlyphIndex(wchar_t character) const
{
	auto found = characters.find(character);
	return found == characters.end() ? defaultGlyph : found->second;
}

int CFont::getKerning(wchar_t first, wchar_t second) const
{
	auto found = kerning.find(std::make_pair(first, second));
	return found == kerning.end() ? 0 : found->second;
}

void CFont::recomputeLineHeight()
{
	lineHeight = 0;
	for (irr::u32 i = 0; i < glyphs.size(); ++i)
	{
		const float height = glyphs[i].height + glyphs[i].b.Y + glyphs[i].a.Y;
		if (i == 0 || height > lineHeight)
			lineHeight = height;
	}
}

float CFont::advanceOf(wchar_t character) const
{
	const FontGlyph* glyph = getGlyph(getGlyphIndex(character));
	return glyph ? glyph->b.X + glyph->width + glyph->a.X : 0.0f;
}

irr::core::vector2df CFont::getGlyphSize(wchar_t character, bool tight) const
{
	const FontGlyph* glyph = getGlyph(getGlyphIndex(character));
	if (!glyph)
		return irr::core::vector2df(0, 0);
	if (tight)
		return irr::core::vector2df(glyph->width, glyph->height);
	return irr::core::vector2df(glyph->b.X + glyph->width + glyph->a.X + globalKerning.X, glyph->height);
}

irr::core::vector2df CFont::measureText(const irr::core::stringw& text, const irr::core::vector2df& extra) const
{
	const float stepX = globalKerning.X + extra.X;
	const float stepY = globalKerning.Y + extra.Y;
	irr::core::vector2df result(0, lineHeight);
	float lineSum = 0;
	irr::u32 lineCharacters = 0;
	auto endLine = [&]()
	{
		const float width = lineCharacters ? lineSum - stepX : lineSum;
		if (width > result.X)
			result.X = width;
		lineSum = 0;
		lineCharacters = 0;
	};
	const irr::u32 length = text.size();
	for (irr::u32 i = 0; i < length; ++i)
	{
		const wchar_t c = text[i];
		if (c == L'\r' || c == L'\n')
		{
			if (c == L'\r' && i + 1 < length && text[i + 1] == L'\n')
				++i;
			result.Y += stepY + lineHeight;
			endLine();
			continue;
		}
		lineSum += advanceOf(c) + stepX;
		if (i + 1 < length)
			lineSum += static_cast<float>(getKerning(c, text[i + 1]));
		++lineCharacters;
	}
	endLine();
	return result;
}
