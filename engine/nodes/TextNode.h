#pragma once

#include "content/BatchTypes.h"
#include "scene/BaseNode.h"

#include <irrlicht/SMaterial.h>
#include <irrlicht/irrString.h>
#include <memory>
#include <vector>

class CFont;

// Shows a text in a bitmap font inside its Bounds: tag expansion, line breaks, word wrap,
// alignment and justification, one quad per character grouped by font page; answers the
// character geometry an edit field needs.
class TextNode : public BaseNode
{
	ENGINE_NODE_TYPE(TextNode, NodeTypeTextNode, BaseNode)
	ENGINE_NODE_CLONE(TextNode)

public:
	// Grouping key of a text's render entry: after every picture key, so a text lies over the pictures of its depth.
	static constexpr irr::u32 RenderKey = 0xFFFFFFFFu;

	enum HAlign
	{
		AlignLeft = 1,
		AlignCenter = 2,
		AlignRight = 3,
		AlignJustify = 4,
	};
	enum VAlign
	{
		AlignTop = 1,
		AlignMiddle = 2,
		AlignBottom = 3,
	};

	explicit TextNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                  INodeEventQueue* sceneManager = nullptr);
	~TextNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;
	bool hitTestPoint(const irr::core::vector2df& point) const override;
	// Expands the tags again: the dictionary may have been loaded since the text was set.
	bool onSceneAttached(CEventNodeSceneAttached* event) override;
	bool onReservedEvent35(CEventNode* event) override;

	// ---- layout properties
	void setKerning(const irr::core::vector2df& kerning);
	const irr::core::vector2df& getKerning() const { return Kerning; }
	void setFontSize(float size);
	float getFontSize() const { return FontSize; }
	void setTextHAlign(int align);
	int getTextHAlign() const { return TextHAlign; }
	void setTextVAlign(int align);
	int getTextVAlign() const { return TextVAlign; }
	void setWordWrap(bool wrap);
	bool getWordWrap() const { return WordWrap; }
	// Nothing happens when the text is unchanged.
	void setText(const irr::core::stringw& text);
	const irr::core::stringw& getText() const { return Text; }
	// Re-lays out only: wrapped lines keep their old split until the next re-split.
	void setFont(CFont* font);
	CFont* getFont() const { return Font; }

	// ---- laid-out text
	const irr::core::stringw& getDisplayedText() const { return displayedText; }
	irr::u32 getLineCount() const { return static_cast<irr::u32>(lines.size()); }
	const irr::core::stringw& getLine(irr::u32 index) const { return lines[index]; }
	// Whether the line ended at a line break of the text.
	bool isParagraphEnd(irr::u32 index) const { return index < paragraphEnds.size() && paragraphEnds[index] != 0; }
	irr::u32 getGlyphCount() const { return static_cast<irr::u32>(glyphs.size()); }
	// Quads in node space, in layout order; their colours are set when drawn.
	const QuadRecord& getGlyphQuad(irr::u32 index) const { return glyphs[index]; }
	irr::u32 getPageMaterialCount() const { return static_cast<irr::u32>(pageMaterials.size()); }
	// Glyph indices grouped by page material, as drawn.
	const std::vector<irr::u32>& getDrawOrder() const { return drawOrder; }

	// FontSize over the font's original size (1 without a font).
	float getFontScale() const;
	// Scaled line height L (0 without a font) and line spacing S.
	float getLineHeight() const;
	float getLineSpacing() const;

	// ---- geometry for edit fields (node space, pixels)
	// n x (L + S) for n lines.
	float getTextHeight() const;
	// Left edge of a line after horizontal alignment, rounded to a whole pixel.
	int getLineX(irr::u32 line) const;
	// Top of a line after vertical alignment, rounded to a whole pixel.
	int getLineY(irr::u32 line) const;
	// The glyph's quad rectangle; past the last glyph, the empty rectangle at the first line's start.
	irr::core::rectf getGlyphRect(irr::u32 index) const;
	// The rectangle of the column-th character of a line (where a caret before it stands).
	irr::core::rectf getCharRect(irr::u32 line, irr::u32 column) const;
	// The character under a node-space point: its glyph index, or -1 (see the edit field's use);
	// line and column are the caret position left of the point.
	int getCharIndexAt(const irr::core::vector2df& point, int& line, int& column) const;
	// Edit the raw text at a (line, column) position; assume a text without tags and wrapping.
	void insertCharAt(wchar_t character, int line, int column);
	void deleteCharAt(int line, int column);

	// Splits the displayed text into lines (re-split) and lays out the glyph quads (re-lay out).
	void splitLines();
	void layoutGlyphs();

private:
	// Position in Text of (line, column); -1 when the line does not exist or the column is negative.
	int rawTextPosition(int line, int column) const;
	// Line width in pixels as the font measures it with the given extra kerning.
	float measureLine(irr::u32 line, const irr::core::vector2df& kerning) const;
	// Gaps given to the spaces of a justified line, in order; empty when the line is not justified.
	std::vector<float> justificationGaps(irr::u32 line) const;
	const irr::video::SMaterial* pageMaterialFor(irr::video::ITexture* texture);
	void layoutLine(irr::u32 line, float y);

	CFont* Font = nullptr;
	irr::core::vector2df Kerning{0.0f, 0.0f};
	float FontSize = 14.0f;
	irr::core::stringw Text;
	int TextHAlign = AlignLeft;
	int TextVAlign = AlignTop;
	bool WordWrap = false;
	irr::core::stringw displayedText;
	std::vector<irr::core::stringw> lines;
	std::vector<irr::u8> paragraphEnds;
	irr::video::SMaterial material;
	std::vector<QuadRecord> glyphs;
	std::vector<irr::u32> drawOrder;
	// Owned one by one so that glyph quads can point at them while the list grows.
	std::vector<std::unique_ptr<irr::video::SMaterial>> pageMaterials;
	// The glyph quads in screen pixels as last drawn unclipped, for that transformation and colour.
	std::vector<QuadRecord> screenQuads;
	irr::core::matrix4 screenWorld;
	irr::u32 screenColour = 0;
	bool screenQuadsStale = true;
};
