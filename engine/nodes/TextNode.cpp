#include "TextNode.h"

#include "PropertyLookup.h"
#include "content/CFont.h"
#include "content/EngineMaterials.h"
#include "content/CQuadBatcher.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataFont.h"
#include "core/PropertyMakers.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>
#include <irrlicht/IVideoDriver.h>
#include <irrlicht/plane3d.h>

using namespace irr;

namespace
{
int roundToPixel(float value)
{
	return static_cast<int>(std::floor(value + 0.5f));
}
} // namespace

TextNode::TextNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager), lines(1), paragraphEnds(1, 0)
{
	material.Lighting = false;
	material.ZBuffer = video::ECFN_NEVER;
	material.ZWriteEnable = false;
	material.GouraudShading = false;
	material.BackfaceCulling = false;
	material.TextureLayer[0].TextureWrapU = video::ETC_CLAMP_TO_BORDER;
	material.TextureLayer[0].TextureWrapV = video::ETC_CLAMP_TO_BORDER;
	material.TextureLayer[0].BilinearFilter = true;
	material.TextureLayer[0].TrilinearFilter = true;
	material.TextureLayer[0].AnisotropicFilter = 255;
}

TextNode::~TextNode()
{
	if (Font)
		Font->drop();
}

// ---- properties

const PropertyTable& TextNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&TextNode::setKerning, &TextNode::getKerning>("Kerning"),
	        accessorProperty<&TextNode::setFontSize, &TextNode::getFontSize>("FontSize"),
	        accessorProperty<&TextNode::setTextHAlign, &TextNode::getTextHAlign>("TextHAlign"),
	        accessorProperty<&TextNode::setTextVAlign, &TextNode::getTextVAlign>("TextVAlign"),
	        accessorProperty<&TextNode::setWordWrap, &TextNode::getWordWrap>("WordWrap"),
	        accessorProperty<&TextNode::setText, &TextNode::getText>("Text"),
	        accessorProperty<&TextNode::setFont, &TextNode::getFont>("Font"),
	    });
	return table;
}

void TextNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (Kerning.X != 0.0f || Kerning.Y != 0.0f)
		collection.addVector2d("Kerning", Kerning);
	if (FontSize != 14.0f)
		collection.addFloat("FontSize", FontSize);
	if (TextHAlign != AlignLeft)
		collection.addInt("TextHAlign", TextHAlign);
	if (TextVAlign != AlignTop)
		collection.addInt("TextVAlign", TextVAlign);
	if (WordWrap)
		collection.addBool("WordWrap", true);
	if (Font)
		collection.add("Font", SmartPointer<IPropertyData>(new CPropertyDataFont(Font)));
	if (!Text.empty())
		collection.add("Text", makeStringWProperty(Text));
}

void TextNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "Kerning", value))
		setKerning(propertyAsVector2d(value.get()));
	if (lookUpProperty(collection, "FontSize", value))
		setFontSize(propertyAsFloat(value.get()));
	if (lookUpProperty(collection, "TextHAlign", value))
		setTextHAlign(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "TextVAlign", value))
		setTextVAlign(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "WordWrap", value))
		setWordWrap(propertyAsBool(value.get()));
	// The font comes before the text, so that wrapped lines are measured with it.
	if (lookUpProperty(collection, "Font", value))
		setFont(PropertyKind<CFont*>::read(value));
	if (lookUpProperty(collection, "Text", value))
		setText(propertyToStringW(value));
}

void TextNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	const TextNode* text = nodeCast<TextNode>(source);
	if (!text)
		return;
	Kerning = text->Kerning;
	FontSize = text->FontSize;
	TextHAlign = text->TextHAlign;
	TextVAlign = text->TextVAlign;
	WordWrap = text->WordWrap;
	material = text->material;
	Text = text->Text;
	if (text->Font)
		text->Font->grab();
	if (Font)
		Font->drop();
	Font = text->Font;
	splitLines();
	layoutGlyphs();
}

// ---- setters

void TextNode::setKerning(const core::vector2df& kerning)
{
	Kerning = kerning;
	layoutGlyphs();
}

void TextNode::setFontSize(float size)
{
	FontSize = size;
	splitLines();
	layoutGlyphs();
}

void TextNode::setTextHAlign(int align)
{
	TextHAlign = align;
	layoutGlyphs();
}

void TextNode::setTextVAlign(int align)
{
	TextVAlign = align;
	layoutGlyphs();
}

void TextNode::setWordWrap(bool wrap)
{
	WordWrap = wrap;
	splitLines();
	layoutGlyphs();
}

void TextNode::setText(const core::stringw& text)
{
	if (text == Text)
		return;
	Text = text;
	splitLines();
	layoutGlyphs();
}

void TextNode::setFont(CFont* font)
{
	if (font == Font)
		return;
	if (font)
		font->grab();
	if (Font)
		Font->drop();
	Font = font;
	layoutGlyphs();
}

// ---- scene events

bool TextNode::onSceneAttached(CEventNodeSceneAttached*)
{
	splitLines();
	layoutGlyphs();
	return false;
}

bool TextNode::onReservedEvent35(CEventNode*)
{
	splitLines();
	layoutGlyphs();
	return false;
}

// ---- metrics

float TextNode::getFontScale() const
{
	// A font claiming size 0 would scale to infinity; it is drawn at its own size instead.
	if (!Font || Font->getOriginalSize() <= 0.0f)
		return 1.0f;
	return FontSize / Font->getOriginalSize();
}

float TextNode::getLineHeight() const
{
	return Font ? getFontScale() * Font->getLineHeight() : 0.0f;
}

float TextNode::getLineSpacing() const
{
	return Font ? getFontScale() * (Font->getGlobalKerning().Y + Kerning.Y) : Kerning.Y;
}

float TextNode::measureLine(u32 line, const core::vector2df& kerning) const
{
	if (!Font || line >= lines.size())
		return 0.0f;
	return Font->measureText(lines[line], kerning).X * getFontScale();
}

float TextNode::getTextHeight() const
{
	return static_cast<float>(lines.size()) * (getLineHeight() + getLineSpacing());
}

int TextNode::getLineX(u32 line) const
{
	const float w = measureLine(line, Kerning);
	float offset = 0.0f;
	if (TextHAlign == AlignCenter)
		offset = (Bounds.X - w) / 2.0f;
	else if (TextHAlign == AlignRight)
		offset = Bounds.X - w;
	return roundToPixel(offset);
}

int TextNode::getLineY(u32 line) const
{
	const float L = getLineHeight();
	const float pitch = L + getLineSpacing();
	const u32 n = static_cast<u32>(lines.size());
	const float H = n > 1 ? L + static_cast<float>(n - 1) * pitch : L;
	float offset = 0.0f;
	if (TextVAlign == AlignMiddle)
		offset = (Bounds.Y - H) / 2.0f;
	else if (TextVAlign == AlignBottom)
		offset = Bounds.Y - H;
	if (line < n)
		return roundToPixel(offset + static_cast<float>(line) * pitch);
	return roundToPixel(offset);
}

// ---- geometry for edit fields

core::rectf TextNode::getGlyphRect(u32 index) const
{
	if (index >= glyphs.size())
	{
		const float x = static_cast<float>(getLineX(0));
		const float y = static_cast<float>(getLineY(0));
		return core::rectf(x, y, x, y);
	}
	const BatchVertex* v = glyphs[index].vertices;
	return core::rectf(v[0].x, v[0].y, v[2].x, v[2].y);
}

core::rectf TextNode::getCharRect(u32 line, u32 column) const
{
	u32 index = column;
	for (u32 i = 0; i < line && i < lines.size(); ++i)
		index += lines[i].size();
	return getGlyphRect(index);
}

int TextNode::getCharIndexAt(const core::vector2df& point, int& line, int& column) const
{
	if (!Font)
		return -1;
	const int n = static_cast<int>(lines.size());
	if (n == 0)
	{
		line = 0;
		column = -1;
		return -1;
	}
	const float L = getLineHeight();
	const float relative = point.Y - (Bounds.Y - static_cast<float>(n) * L) / 2.0f;
	// A font without height puts every line at the same place: the first one takes the point.
	const int found = L > 0.0f ? static_cast<int>(relative / L) : (relative < 0.0f ? -1 : 0);
	if (found < 0)
	{
		line = 0;
		column = -1;
		return -1;
	}
	int before = 0;
	if (found >= n)
	{
		for (int i = 0; i < n; ++i)
			before += static_cast<int>(lines[static_cast<size_t>(i)].size());
		line = n - 1;
		column = static_cast<int>(lines.back().size()) - 1;
		return before;
	}
	for (int i = 0; i < found; ++i)
		before += static_cast<int>(lines[static_cast<size_t>(i)].size());
	const int length = static_cast<int>(lines[static_cast<size_t>(found)].size());
	int k = 0;
	while (k < length && before + k < static_cast<int>(glyphs.size()))
	{
		const BatchVertex* v = glyphs[static_cast<size_t>(before + k)].vertices;
		if (!((v[0].x + v[2].x) / 2.0f < point.X))
			break;
		++k;
	}
	line = found;
	column = k - 1;
	return before + k;
}

int TextNode::rawTextPosition(int line, int column) const
{
	if (line < 0 || column < 0 || static_cast<size_t>(line) >= lines.size())
		return -1;
	u32 position = 0;
	for (int i = 0; i < line; ++i)
	{
		position += lines[static_cast<size_t>(i)].size();
		if (position < Text.size() && Text[position] == L'\r')
			position += position + 1 < Text.size() && Text[position + 1] == L'\n' ? 2 : 1;
		else if (position < Text.size() && Text[position] == L'\n')
			position += 1;
	}
	return static_cast<int>(position + static_cast<u32>(column));
}

void TextNode::insertCharAt(wchar_t character, int line, int column)
{
	const int position = rawTextPosition(line, column);
	if (position < 0 || static_cast<u32>(position) > Text.size())
		return;
	core::stringw edited = Text.subString(0, static_cast<u32>(position));
	edited.append(character);
	edited.append(Text.subString(static_cast<u32>(position), Text.size() - static_cast<u32>(position)));
	Text = edited;
	splitLines();
	layoutGlyphs();
}

void TextNode::deleteCharAt(int line, int column)
{
	const int position = rawTextPosition(line, column);
	if (position < 0 || static_cast<u32>(position) >= Text.size())
		return;
	const u32 start = static_cast<u32>(position);
	const u32 count = Text[start] == L'\r' && start + 1 < Text.size() && Text[start + 1] == L'\n' ? 2 : 1;
	core::stringw edited = Text.subString(0, start);
	edited.append(Text.subString(start + count, Text.size() - start - count));
	Text = edited;
	splitLines();
	layoutGlyphs();
}

// ---- drawing

void TextNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	if (Font && !Text.empty() && absoluteColor.getAlpha() > 0)
		list.push_back(RenderEntry{this, absoluteTransformation[14], RenderKey});
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

bool TextNode::hitTestPoint(const core::vector2df& point) const
{
	return Visible && isPointInside(point);
}

void TextNode::draw(video::IVideoDriver* driver, const core::rect<s32>* clip)
{
	if (!driver)
		return;
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);

	// Whole pixels keep the glyphs sharp.
	core::matrix4 world = absoluteTransformation;
	world[12] = std::floor(world[12] + 0.5f);
	world[13] = std::floor(world[13] + 0.5f);
	world[14] = 0.0f;

	// Glyphs are white texels shaped by their alpha: the blend must take the texture's alpha too.
	const video::E_MATERIAL_TYPE blend = EngineMaterials::vertexAlpha(driver);
	for (const auto& page : pageMaterials)
		page->MaterialType = blend;
	const u32 colour = absoluteColor.color;
	if (!clip)
	{
		// Unclipped, the glyphs join the batch in screen pixels like any sprite: a text costs no
		// draw call of its own, and texts of one font page share one. They are moved there again
		// only when the layout, the place or the colour changed.
		if (screenQuadsStale || colour != screenColour || world != screenWorld)
		{
			screenQuads.clear();
			screenQuads.reserve(drawOrder.size());
			for (u32 index : drawOrder)
			{
				QuadRecord quad = glyphs[index];
				for (BatchVertex& vertex : quad.vertices)
				{
					core::vector3df corner(vertex.x, vertex.y, vertex.z);
					world.transformVect(corner);
					vertex.x = corner.X;
					vertex.y = corner.Y;
					vertex.z = corner.Z;
					vertex.color = colour;
				}
				screenQuads.push_back(quad);
			}
			screenWorld = world;
			screenColour = colour;
			screenQuadsStale = false;
		}
		for (const QuadRecord& quad : screenQuads)
			batcher->addQuad(&quad);
		return;
	}

	batcher->flush();
	driver->setTransform(video::ETS_WORLD, world);

	{
		// Planes in node space: a screen edge x >= left reads W0 x + W4 y + W12 - left >= 0 here.
		const float left = static_cast<float>(clip->UpperLeftCorner.X);
		const float top = static_cast<float>(clip->UpperLeftCorner.Y);
		const float right = static_cast<float>(clip->LowerRightCorner.X);
		const float bottom = static_cast<float>(clip->LowerRightCorner.Y);
		const core::plane3df planes[4] = {
		    core::plane3df(core::vector3df(world[0], world[4], 0.0f), world[12] - left),
		    core::plane3df(core::vector3df(world[1], world[5], 0.0f), world[13] - top),
		    core::plane3df(core::vector3df(-world[0], -world[4], 0.0f), right - world[12]),
		    core::plane3df(core::vector3df(-world[1], -world[5], 0.0f), bottom - world[13]),
		};
		for (u32 i = 0; i < 4; ++i)
			driver->setClipPlane(i, planes[i], true);
	}

	for (u32 index : drawOrder)
	{
		QuadRecord& quad = glyphs[index];
		for (BatchVertex& vertex : quad.vertices)
			vertex.color = colour;
		batcher->addQuad(&quad);
	}

	batcher->flush();
	driver->setTransform(video::ETS_WORLD, core::IdentityMatrix);
	for (u32 i = 0; i < 4; ++i)
		driver->enableClipPlane(i, false);
}
