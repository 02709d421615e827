// Line splitting and glyph layout of TextNode.
#include "TextNode.h"
#include "content/AtlasTexture.h"
#include "content/CDictionary.h"
#include "content/CFont.h"
#include "device/IDevice.h"

#include <algorithm>
#include <cmath>

using namespace irr;

namespace
{
// The device's dictionary expands tags; without a device the text is shown as it is.
core::stringw expandTags(const core::stringw& text)
{
	// A text without a percent sign holds no tag: most labels skip the dictionary.
	if (text.findFirst(L'%') < 0)
		return text;
	IDevice* device = Singleton<IDevice>::peek();
	CDictionary* dictionary = device ? device->getDictionary() : nullptr;
	return dictionary ? dictionary->expandTags(text) : text;
}
} // namespace

void TextNode::splitLines()
{
	lines.assign(1, core::stringw());
	paragraphEnds.assign(1, 0);
	displayedText = expandTags(Text);

	const bool measuring = WordWrap && Font;
	const float scale = getFontScale();
	float x = 0.0f;
	// The current line is the displayed text from lineStart on; it is copied out once it ends,
	// since the library's strings grow by one character at every append.
	u32 lineStart = 0;
	// The last space of the current line, as an index in the displayed text.
	s32 spaceInText = -1;
	auto endLine = [&](u32 end)
	{ lines.back() = displayedText.subString(lineStart, static_cast<s32>(end - lineStart)); };
	auto breakLine = [&](u32 next)
	{
		lines.emplace_back();
		paragraphEnds.push_back(0);
		x = 0.0f;
		spaceInText = -1;
		lineStart = next;
	};

	const u32 length = displayedText.size();
	for (u32 i = 0; i < length; ++i)
	{
		const wchar_t c = displayedText[i];
		if (measuring)
		{
			x += (Kerning.X + Font->getGlyphSize(c, false).X) * scale;
			if (x > Bounds.X && spaceInText >= 0)
			{
				// Cut at the space, which is dropped, and go on after it.
				i = static_cast<u32>(spaceInText);
				endLine(i);
				breakLine(i + 1);
				continue;
			}
		}
		if (c == L'\r' || c == L'\n')
		{
			endLine(i);
			paragraphEnds.back() = 1;
			if (c == L'\r' && i + 1 < length && displayedText[i + 1] == L'\n')
				++i;
			breakLine(i + 1);
			continue;
		}
		if (WordWrap && c == L' ')
			spaceInText = static_cast<s32>(i);
	}
	endLine(length);

	if (TextHAlign == AlignCenter || TextHAlign == AlignJustify)
	{
		for (core::stringw& line : lines)
			line.trim(L" \t\r\n");
	}
}

std::vector<float> TextNode::justificationGaps(u32 line) const
{
	std::vector<float> gaps;
	if (TextHAlign != AlignJustify || line + 1 >= lines.size() || paragraphEnds[line] || lines[line].empty())
		return gaps;
	const core::stringw& text = lines[line];
	u32 spaces = 0;
	for (u32 i = 0; i < text.size(); ++i)
		spaces += text[i] == L' ' ? 1 : 0;
	if (spaces == 0)
		return gaps;
	const float spare = Bounds.X - measureLine(line, core::vector2df(0.0f, 0.0f));
	const float share = std::floor(spare / static_cast<float>(spaces) + 0.5f);
	float handed = 0.0f;
	bool exhausted = false;
	for (u32 i = 0; i < spaces; ++i)
	{
		float gap = exhausted ? 0.0f : share;
		if (!exhausted && handed + gap >= spare)
		{
			gap = spare - handed;
			exhausted = true;
		}
		handed += gap;
		gaps.push_back(gap);
	}
	return gaps;
}

const video::SMaterial* TextNode::pageMaterialFor(video::ITexture* texture)
{
	for (const auto& page : pageMaterials)
	{
		if (page->getTexture(0) == texture)
			return page.get();
	}
	pageMaterials.push_back(std::make_unique<video::SMaterial>(material));
	pageMaterials.back()->setTexture(0, texture);
	return pageMaterials.back().get();
}

void TextNode::layoutLine(u32 line, float y)
{
	const float scale = getFontScale();
	const core::vector2df& globalKerning = Font->getGlobalKerning();
	const std::vector<float> gaps = justificationGaps(line);
	size_t nextGap = 0;
	const core::stringw& text = lines[line];
	float x = static_cast<float>(getLineX(line));

	for (u32 j = 0; j < text.size(); ++j)
	{
		const wchar_t c = text[j];
		const FontGlyph* glyph = Font->getGlyph(Font->getGlyphIndex(c));
		AtlasTexture* page = glyph ? Font->getPage(glyph->pageIndex) : nullptr;
		video::ITexture* texture = page ? page->getDeviceTexture() : nullptr;
		if (!texture)
			continue;
		const core::dimension2du size = AtlasTexture::getPageTextureSize(page->getPage());
		if (size.Width == 0 || size.Height == 0)
			continue;
		const float W = static_cast<float>(size.Width);
		const float H = static_cast<float>(size.Height);
		// Glyph rectangles are pixels of the font page frame, which may sit anywhere on its texture.
		const core::vector2df origin(page->getTextureRect().UpperLeftCorner.X * W,
		                             page->getTextureRect().UpperLeftCorner.Y * H);
		const float u0 = (origin.X + glyph->x1 - 0.5f) / W;
		const float v0 = (origin.Y + glyph->y1 - 0.5f) / H;
		const float u1 = (origin.X + glyph->x2 + 0.5f) / W;
		const float v1 = (origin.Y + glyph->y2 + 0.5f) / H;

		x += scale * glyph->b.X;
		const float left = x;
		const float top = y + scale * glyph->b.Y;
		const float right = left + scale * glyph->width;
		const float bottom = top + scale * glyph->height;

		QuadRecord quad;
		quad.material = pageMaterialFor(texture);
		quad.vertices[0] = BatchVertex{left - 0.5f, top - 0.5f, 0.0f, 0xFFFFFFFF, u0, v0};
		quad.vertices[1] = BatchVertex{right + 0.5f, top - 0.5f, 0.0f, 0xFFFFFFFF, u1, v0};
		quad.vertices[2] = BatchVertex{right + 0.5f, bottom + 0.5f, 0.0f, 0xFFFFFFFF, u1, v1};
		quad.vertices[3] = BatchVertex{left - 0.5f, bottom + 0.5f, 0.0f, 0xFFFFFFFF, u0, v1};

		const int pairKerning = j + 1 < text.size() ? Font->getKerning(c, text[j + 1]) : 0;
		x += scale * (glyph->a.X + glyph->width + globalKerning.X + Kerning.X + static_cast<float>(pairKerning));
		if (c == L' ' && nextGap < gaps.size())
			x += gaps[nextGap++];
		glyphs.push_back(quad);
	}
}

void TextNode::layoutGlyphs()
{
	screenQuadsStale = true;
	pageMaterials.clear();
	glyphs.clear();
	drawOrder.clear();
	if (!Font)
		return;
	const float pitch = (Font->getLineHeight() + Font->getGlobalKerning().Y + Kerning.Y) * getFontScale();
	float y = static_cast<float>(getLineY(0));
	for (u32 line = 0; line < lines.size(); ++line)
	{
		layoutLine(line, y);
		y += pitch;
	}

	// One run per page material: the batcher then draws each page in one call.
	std::vector<size_t> pageOf(glyphs.size());
	for (size_t i = 0; i < glyphs.size(); ++i)
	{
		for (size_t p = 0; p < pageMaterials.size(); ++p)
		{
			if (pageMaterials[p].get() == glyphs[i].material)
			{
				pageOf[i] = p;
				break;
			}
		}
	}
	drawOrder.resize(glyphs.size());
	for (u32 i = 0; i < drawOrder.size(); ++i)
		drawOrder[i] = i;
	std::stable_sort(drawOrder.begin(), drawOrder.end(), [&](u32 a, u32 b) { return pageOf[a] < pageOf[b]; });
}
