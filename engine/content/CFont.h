#pragma once

#include "content/ContentObject.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>

#include <map>
#include <utility>

class AtlasTexture;
class CPropertyCollection;
class IXMLReader;

// One character's picture on a font page and the space around it, in pixels.
struct FontGlyph
{
	int pageIndex = 0;
	float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
	irr::core::vector2df b;
	irr::core::vector2df a;
	float width = 0;
	float height = 0;
};

// A font as content ("font"): glyph tables, kerning and the rules for measuring text.
class CFont : public ContentObject
{
public:
	static constexpr float DefaultOriginalSize = 14.0f;

	explicit CFont(const ContentRef& reference);
	~CFont() override;
	CFont(const CFont&) = delete;
	CFont& operator=(const CFont&) = delete;

	ContentType getContentType() const override { return ContentTypeFont; }

	// Adds only the values that differ from the defaults.
	virtual void saveProperties(CPropertyCollection* properties) const;
	// Keys that are absent leave their fields unchanged.
	virtual void loadProperties(const CPropertyCollection* properties);
	// tight: the glyph's own rectangle; otherwise its advance with the global kerning, by its height.
	virtual irr::core::vector2df getGlyphSize(wchar_t character, bool tight) const;
	// Unscaled size of a text with line breaks (CR LF, CR or LF).
	virtual irr::core::vector2df measureText(const irr::core::stringw& text, const irr::core::vector2df& extra) const;
	// Reads the font's description, the reader standing after its root element.
	virtual void load(IXMLReader* reader) = 0;

	irr::u32 getGlyphIndex(wchar_t character) const;
	int getKerning(wchar_t first, wchar_t second) const;
	void clear();
	void recomputeLineHeight();

	const irr::core::vector2df& getGlobalKerning() const { return globalKerning; }
	void setGlobalKerning(const irr::core::vector2df& kerning) { globalKerning = kerning; }
	float getOriginalSize() const { return originalSize; }
	void setOriginalSize(float size) { originalSize = size; }
	float getLineHeight() const { return lineHeight; }

	irr::u32 getGlyphCount() const { return glyphs.size(); }
	// Null for an index out of range (only glyph 0 of an empty font is asked for as a default).
	const FontGlyph* getGlyph(irr::u32 index) const { return index < glyphs.size() ? &glyphs[index] : nullptr; }
	irr::u32 getPageCount() const { return pages.size(); }
	// Null for a page that was not found or an index out of range.
	AtlasTexture* getPage(int index) const;

protected:
	// Takes over the caller's reference; null stands for a page that was not found.
	void addPage(AtlasTexture* page);
	// Appends the glyph and maps the character to it unless the character is mapped already.
	void addGlyph(wchar_t character, const FontGlyph& glyph);
	void setKerning(wchar_t first, wchar_t second, int amount);
	void setDefaultGlyph(irr::u32 index) { defaultGlyph = index; }

private:
	// Advance of one character on its line: b.x + width + a.x.
	float advanceOf(wchar_t character) const;

	irr::core::vector2df globalKerning;
	float originalSize = DefaultOriginalSize;
	float lineHeight = 0;
	irr::core::array<AtlasTexture*> pages;
	irr::core::array<FontGlyph> glyphs;
	std::map<wchar_t, irr::u32> characters;
	std::map<std::pair<wchar_t, wchar_t>, int> kerning;
	irr::u32 defaultGlyph = 0;
};
