#include "NodeLibTestSupport.h"
#include "content/CDictionary.h"
#include "content/CFont.h"
#include "content/CQuadBatcher.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataFont.h"
#include "core/PropertyMakers.h"
#include "device/CDeviceStub.h"
#include "nodes/TextNode.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace
{
using irr::core::stringw;
using irr::core::vector2df;

class TextNodeLayoutTest : public NullDriverTest
{
protected:
	TextNodeLayoutTest() : fonts(library.driver()) {}

	// A text node with the plain font (scale 1) of the given width and height.
	SmartPointer<TextNode> makeText(float width, float height = 100.0f, CFont* font = nullptr)
	{
		SmartPointer<TextNode> node(new TextNode());
		node->setBounds({width, height, 0.0f});
		node->setFont(font ? font : fonts.plain.get());
		return node;
	}
	static std::vector<std::wstring> linesOf(const TextNode& node)
	{
		std::vector<std::wstring> out;
		for (irr::u32 i = 0; i < node.getLineCount(); ++i)
			out.emplace_back(node.getLine(i).c_str());
		return out;
	}

	TextFontFixture fonts;
};

struct SplitCase
{
	const wchar_t* text;
	float width;
	bool wrap;
	int hAlign;
	std::vector<std::wstring> lines;
	std::vector<bool> paragraphEnds;
};

TEST_F(TextNodeLayoutTest, SplitsAtLineBreaksAndWrapsAtSpaces)
{
	ASSERT_TRUE(fonts.plain);
	// Letters advance 8, the space 4.
	const SplitCase cases[] = {
	    {L"One\r\nTwo", 100, false, 1, {L"One", L"Two"}, {true, false}},
	    {L"One\nTwo", 100, false, 1, {L"One", L"Two"}, {true, false}},
	    {L"A\r\rB", 100, false, 1, {L"A", L"", L"B"}, {true, true, false}},
	    {L"A\n", 100, false, 1, {L"A", L""}, {true, false}},
	    {L"AAA BBB CCC", 40, true, 1, {L"AAA", L"BBB", L"CCC"}, {false, false, false}},
	    {L"AAA BBB CCC", 40, false, 1, {L"AAA BBB CCC"}, {false}},
	    // A word longer than the node is not broken: the line goes on to the next space.
	    {L"AAAAAAAA BB", 40, true, 1, {L"AAAAAAAA", L"BB"}, {false, false}},
	    {L"AAA\nBBB CCC", 40, true, 1, {L"AAA", L"BBB", L"CCC"}, {true, false, false}},
	    // Centred and justified lines lose outer blanks, right-aligned ones keep them.
	    {L"  AB \t", 100, false, 2, {L"AB"}, {false}},
	    {L"  AB \t", 100, false, 4, {L"AB"}, {false}},
	    {L"  AB \t", 100, false, 3, {L"  AB \t"}, {false}},
	};
	for (const SplitCase& c : cases)
	{
		SmartPointer<TextNode> node = makeText(c.width);
		node->setTextHAlign(c.hAlign);
		node->setWordWrap(c.wrap);
		node->setText(c.text);
		const std::string label = irr::core::stringc(c.text).c_str();
		EXPECT_EQ(linesOf(*node), c.lines) << label;
		for (irr::u32 i = 0; i < c.paragraphEnds.size(); ++i)
			EXPECT_EQ(node->isParagraphEnd(i), c.paragraphEnds[i]) << label << " line " << i;
	}
}

TEST_F(TextNodeLayoutTest, ExpandsDictionaryTags)
{
	SmartPointer<CDeviceStub> device(new CDeviceStub());
	device->getDictionary()->setText("Title", L"Hello");
	device->getDictionary()->setText("Empty", L"");
	const std::pair<const wchar_t*, const wchar_t*> cases[] = {
	    {L"%Title%", L"Hello"},
	    {L"%Missing%", L"%Missing%"},
	    {L"100%%", L"100%"},
	    {L"%Title% world", L"Hello world"},
	};
	for (const auto& c : cases)
	{
		SmartPointer<TextNode> node = makeText(200);
		node->setText(c.first);
		EXPECT_STREQ(node->getDisplayedText().c_str(), c.second);
	}

	// Setting the same text again rebuilds nothing, so a changed dictionary shows only after a re-split.
	SmartPointer<TextNode> node = makeText(200);
	node->setText(L"%Title%");
	device->getDictionary()->setText("Title", L"Changed");
	node->setText(L"%Title%");
	EXPECT_STREQ(node->getDisplayedText().c_str(), L"Hello");
	node->splitLines();
	EXPECT_STREQ(node->getDisplayedText().c_str(), L"Changed");

	// The render entry depends on Text, not on what it expands to.
	RenderList list;
	node->setText(L"%Empty%");
	node->addToRenderList(list);
	EXPECT_EQ(list.size(), 1u);
	list.clear();
	node->setText(L"");
	node->addToRenderList(list);
	EXPECT_EQ(list.size(), 0u);
}

struct MetricsCase
{
	int vAlign;
	irr::u32 line;
	int expectedY;
};

TEST_F(TextNodeLayoutTest, HeightAndLinePositionsFollowAlignment)
{
	ASSERT_TRUE(fonts.spaced);
	// Size 28 over 14: L = 2 x 10 = 20, S = 2 x 1 = 2.
	SmartPointer<TextNode> node = makeText(100, 100, fonts.spaced.get());
	node->setFontSize(28.0f);
	node->setText(L"A\nB\nC");
	EXPECT_FLOAT_EQ(node->getLineHeight(), 20.0f);
	EXPECT_FLOAT_EQ(node->getLineSpacing(), 2.0f);
	EXPECT_FLOAT_EQ(node->getTextHeight(), 66.0f);
	// Block height H = 20 + 2 x 22 = 64.
	const MetricsCase cases[] = {
	    {1, 0, 0}, {1, 2, 44}, {1, 7, 0}, {2, 0, 18}, {2, 1, 40}, {3, 0, 36}, {3, 2, 80}, {0, 1, 22},
	};
	for (const MetricsCase& c : cases)
	{
		node->setTextVAlign(c.vAlign);
		EXPECT_EQ(node->getLineY(c.line), c.expectedY) << "valign " << c.vAlign << " line " << c.line;
	}
}

TEST_F(TextNodeLayoutTest, LineXFollowsHorizontalAlignment)
{
	SmartPointer<TextNode> node = makeText(101);
	node->setText(L"AB");
	// Width 16: centre (101 - 16) / 2 = 42.5 rounds up.
	const std::pair<int, int> cases[] = {{1, 0}, {0, 0}, {2, 43}, {3, 85}, {4, 0}};
	for (const auto& c : cases)
	{
		node->setTextHAlign(c.first);
		EXPECT_EQ(node->getLineX(0), c.second) << "halign " << c.first;
	}
	// No such line: width 0.
	node->setTextHAlign(TextNode::AlignCenter);
	EXPECT_EQ(node->getLineX(5), 51);
}

TEST_F(TextNodeLayoutTest, GlyphQuadsCarryPositionKerningAndTexture)
{
	SmartPointer<TextNode> node = makeText(200);
	node->setText(L"AVB");
	ASSERT_EQ(node->getGlyphCount(), 3u);
	// A at 0; V after A's advance 8 and the pair kerning -2; B after V's 8.
	const float lefts[] = {0.0f, 6.0f, 14.0f};
	for (irr::u32 i = 0; i < 3; ++i)
	{
		const irr::core::rectf rect = node->getGlyphRect(i);
		EXPECT_FLOAT_EQ(rect.UpperLeftCorner.X, lefts[i] - 0.5f) << i;
		EXPECT_FLOAT_EQ(rect.LowerRightCorner.X, lefts[i] + 8.5f) << i;
		EXPECT_FLOAT_EQ(rect.UpperLeftCorner.Y, -0.5f);
		EXPECT_FLOAT_EQ(rect.LowerRightCorner.Y, 10.5f);
	}
	// A's cell (0, 0)-(8, 10) on the 128 x 128 page, widened by half a texel.
	const QuadRecord& a = node->getGlyphQuad(0);
	EXPECT_FLOAT_EQ(a.vertices[0].u, -0.5f / 128);
	EXPECT_FLOAT_EQ(a.vertices[0].v, -0.5f / 128);
	EXPECT_FLOAT_EQ(a.vertices[2].u, 8.5f / 128);
	EXPECT_FLOAT_EQ(a.vertices[2].v, 10.5f / 128);
	EXPECT_EQ(node->getPageMaterialCount(), 1u);
	EXPECT_EQ(node->getDrawOrder().size(), 3u);

	// Extra kerning widens every step; a larger size scales the whole layout.
	node->setKerning({1.0f, 0.0f});
	EXPECT_FLOAT_EQ(node->getGlyphRect(1).UpperLeftCorner.X, 7.0f - 0.5f);
	node->setKerning({0.0f, 0.0f});
	node->setFontSize(28.0f);
	EXPECT_FLOAT_EQ(node->getGlyphRect(2).UpperLeftCorner.X, 28.0f - 0.5f);
}

TEST_F(TextNodeLayoutTest, JustifiedLinesFillTheWidthExceptLastAndParagraphEnds)
{
	// "AA BB CC" is 56 wide in a 60 wide node: each space gets 2 more.
	SmartPointer<TextNode> node = makeText(60);
	node->setTextHAlign(TextNode::AlignJustify);
	node->setWordWrap(true);
	node->setText(L"AA BB CC DD");
	ASSERT_EQ(linesOf(*node), (std::vector<std::wstring>{L"AA BB CC", L"DD"}));
	EXPECT_FLOAT_EQ(node->getGlyphRect(3).UpperLeftCorner.X, 22.0f - 0.5f);  // first B
	EXPECT_FLOAT_EQ(node->getGlyphRect(6).UpperLeftCorner.X, 44.0f - 0.5f);  // first C
	EXPECT_FLOAT_EQ(node->getGlyphRect(7).LowerRightCorner.X, 60.0f + 0.5f); // last C ends at the edge
	EXPECT_FLOAT_EQ(node->getGlyphRect(8).UpperLeftCorner.X, 0.0f - 0.5f);   // last line stays left

	// A line wider than the node (bounds shrunk after the split) gives its whole deficit to the first space.
	node->setBounds({40, 100, 0});
	node->setKerning({0.0f, 0.0f});
	EXPECT_FLOAT_EQ(node->getGlyphRect(3).UpperLeftCorner.X, 20.0f - 16.0f - 0.5f);
	EXPECT_FLOAT_EQ(node->getGlyphRect(6).UpperLeftCorner.X, 24.0f - 0.5f);

	// Lines that end at a line break stay left-aligned.
	SmartPointer<TextNode> broken = makeText(60);
	broken->setTextHAlign(TextNode::AlignJustify);
	broken->setText(L"AA BB\nCC");
	EXPECT_FLOAT_EQ(broken->getGlyphRect(3).UpperLeftCorner.X, 20.0f - 0.5f);
}

struct HitCase
{
	vector2df point;
	int line;
	int column;
	int index;
};

TEST_F(TextNodeLayoutTest, CharIndexAtMapsPointsToCaretPositions)
{
	// Two lines of 10 in a 100 high node: the mapping puts the block at y 40 to 60.
	SmartPointer<TextNode> node = makeText(100, 100);
	node->setText(L"AB\nCD");
	const HitCase cases[] = {
	    {{10, 45}, 0, 0, 1},  // right of A's middle, left of B's
	    {{1, 45}, 0, -1, 0},  // left of A's middle
	    {{100, 55}, 1, 1, 4}, // past the end of the second line
	    {{5, 200}, 1, 1, 4},  // below the text: after the last character
	    {{5, 20}, 0, -1, -1}, // a whole line above
	};
	for (const HitCase& c : cases)
	{
		int line = 99;
		int column = 99;
		EXPECT_EQ(node->getCharIndexAt(c.point, line, column), c.index) << c.point.X << "," << c.point.Y;
		EXPECT_EQ(line, c.line);
		EXPECT_EQ(column, c.column);
	}
	// Caret geometry: the character rectangle, and past the end the start of the first line.
	EXPECT_FLOAT_EQ(node->getCharRect(1, 1).UpperLeftCorner.X, 8.0f - 0.5f);
	EXPECT_FLOAT_EQ(node->getCharRect(1, 1).UpperLeftCorner.Y, 10.0f - 0.5f);
	EXPECT_EQ(node->getGlyphRect(40), irr::core::rectf(0, 0, 0, 0));

	// Without a font: -1 and the outputs untouched; a font without height never divides by zero.
	SmartPointer<TextNode> bare(new TextNode());
	bare->setText(L"AB");
	int line = 7;
	int column = 7;
	EXPECT_EQ(bare->getCharIndexAt({5, 5}, line, column), -1);
	EXPECT_EQ(line, 7);
	EXPECT_EQ(column, 7);
	fonts.content.write("fonts/empty.qfnt", "<Font Type=\"Bitmap\"/>");
	SmartPointer<CFont> flat = fonts.content.get<CFont>(ContentTypeFont, "fonts/empty.qfnt");
	ASSERT_TRUE(flat);
	ASSERT_EQ(flat->getLineHeight(), 0.0f);
	bare->setFont(flat.get());
	EXPECT_EQ(bare->getCharIndexAt({5, 60}, line, column), 0);
	EXPECT_EQ(line, 0);
	EXPECT_EQ(bare->getCharIndexAt({5, 40}, line, column), -1);
}

struct EditCase
{
	const wchar_t* text;
	bool insert;
	int line;
	int column;
	const wchar_t* result;
};

TEST_F(TextNodeLayoutTest, InsertAndDeleteEditTheRawText)
{
	const EditCase cases[] = {
	    {L"AB\r\nCD", true, 1, 1, L"AB\r\nCxD"},
	    {L"AB\r\nCD", true, 0, 0, L"xAB\r\nCD"},
	    {L"AB\r\nCD", true, 1, 2, L"AB\r\nCDx"},
	    {L"AB\r\nCD", true, 1, 3, L"AB\r\nCD"}, // past the end
	    {L"AB\nCD", true, 1, 0, L"AB\nxCD"},
	    {L"AB\r\nCD", false, 0, 2, L"ABCD"}, // the CR LF pair goes at once
	    {L"AB\rCD", false, 0, 2, L"ABCD"},
	    {L"AB\r\nCD", false, 1, 1, L"AB\r\nC"},
	    {L"AB\r\nCD", false, 1, 2, L"AB\r\nCD"}, // at the end
	    {L"AB", false, 0, -1, L"AB"},
	    {L"AB", true, 5, 0, L"AB"},
	};
	for (const EditCase& c : cases)
	{
		SmartPointer<TextNode> node = makeText(200);
		node->setText(c.text);
		if (c.insert)
			node->insertCharAt(L'x', c.line, c.column);
		else
			node->deleteCharAt(c.line, c.column);
		EXPECT_STREQ(node->getText().c_str(), c.result) << irr::core::stringc(c.text).c_str();
	}
}

TEST_F(TextNodeLayoutTest, PropertiesRoundTripAndFontIsReadBeforeText)
{
	SmartPointer<TextNode> node = makeText(40);
	CPropertyCollection defaults;
	SmartPointer<TextNode>(new TextNode())->writeProperties(defaults);
	for (const char* name : {"Kerning", "FontSize", "TextHAlign", "TextVAlign", "WordWrap", "Font", "Text"})
		EXPECT_LT(defaults.indexOf(name), 0) << name;

	// Text is listed before Font; the reader still wraps with the font.
	CPropertyCollection collection;
	collection.add("Text", makeStringWProperty(L"AAA BBB CCC"));
	collection.addBool("WordWrap", true);
	collection.add("Font", SmartPointer<IPropertyData>(new CPropertyDataFont(fonts.plain.get())));
	collection.addVector3d("Bounds", {40, 100, 0});
	SmartPointer<TextNode> read(new TextNode());
	read->readProperties(collection);
	EXPECT_EQ(linesOf(*read), (std::vector<std::wstring>{L"AAA", L"BBB", L"CCC"}));

	read->setTextHAlign(3);
	read->setFontSize(20.0f);
	read->setKerning({1, 2});
	CPropertyCollection written;
	read->writeProperties(written);
	SmartPointer<TextNode> copy(new TextNode());
	copy->readProperties(written);
	EXPECT_EQ(copy->getFont(), fonts.plain.get());
	EXPECT_STREQ(copy->getText().c_str(), L"AAA BBB CCC");
	EXPECT_EQ(copy->getTextHAlign(), 3);
	EXPECT_EQ(copy->getFontSize(), 20.0f);
	EXPECT_EQ(copy->getKerning(), vector2df(1, 2));
	EXPECT_TRUE(copy->getWordWrap());

	SmartPointer<BaseNode> cloned(read->clone());
	auto* clonedText = nodeCast<TextNode>(cloned.get());
	ASSERT_NE(clonedText, nullptr);
	EXPECT_EQ(clonedText->getGlyphCount(), read->getGlyphCount());
	EXPECT_EQ(linesOf(*clonedText), linesOf(*read));
}

TEST_F(TextNodeLayoutTest, SettingTheSameFontKeepsItAlive)
{
	SmartPointer<TextNode> node = makeText(40);
	const int before = fonts.plain->getReferenceCount();
	node->setFont(fonts.plain.get());
	EXPECT_EQ(fonts.plain->getReferenceCount(), before);
	node->setFont(nullptr);
	EXPECT_EQ(fonts.plain->getReferenceCount(), before - 1);
	EXPECT_EQ(node->getGlyphCount(), 0u);
}
struct DrawStep
{
	const char* label;
	std::function<void(BaseNode& parent, TextNode& text, TextFontFixture& fonts)> change;
};

// The batcher gets the glyphs the text has now, where and in the colour it is now, after every change
// and also when nothing changed since the last draw.
TEST_F(TextNodeLayoutTest, DrawnGlyphsFollowEveryChangeOfTheText)
{
	ASSERT_TRUE(fonts.plain && fonts.spaced);
	SmartPointer<BaseNode> parent(new BaseNode());
	SmartPointer<TextNode> node = makeText(200);
	parent->addChild(node.get());
	node->setText(L"AVB");
	const DrawStep steps[] = {
	    {"first draw", [](BaseNode&, TextNode&, TextFontFixture&) {}},
	    {"nothing changed", [](BaseNode&, TextNode&, TextFontFixture&) {}},
	    {"new text", [](BaseNode&, TextNode& t, TextFontFixture&) { t.setText(L"AB CD"); }},
	    {"moved",
	     [](BaseNode&, TextNode& t, TextFontFixture&) {
		     t.setPosition({10.4f, 20.6f, 0.0f});
	     }},
	    {"parent moved",
	     [](BaseNode& p, TextNode&, TextFontFixture&) {
		     p.setPosition({-3.0f, 7.0f, 0.0f});
	     }},
	    {"scaled",
	     [](BaseNode&, TextNode& t, TextFontFixture&) {
		     t.setScale({2.0f, 2.0f, 1.0f});
	     }},
	    {"recoloured", [](BaseNode&, TextNode& t, TextFontFixture&) { t.setTintColor(0x80FF0000); }},
	    {"parent faded", [](BaseNode& p, TextNode&, TextFontFixture&) { p.setTintColor(0x40FFFFFF); }},
	    {"larger font size", [](BaseNode&, TextNode& t, TextFontFixture&) { t.setFontSize(28.0f); }},
	    {"centred", [](BaseNode&, TextNode& t, TextFontFixture&) { t.setTextHAlign(TextNode::AlignCenter); }},
	    {"kerned",
	     [](BaseNode&, TextNode& t, TextFontFixture&) {
		     t.setKerning({1.0f, 0.0f});
	     }},
	    {"other font", [](BaseNode&, TextNode& t, TextFontFixture& f) { t.setFont(f.spaced.get()); }},
	    {"same text again", [](BaseNode&, TextNode& t, TextFontFixture&) { t.setText(L"AB CD"); }},
	    {"shorter text", [](BaseNode&, TextNode& t, TextFontFixture&) { t.setText(L"Z"); }},
	};
	CQuadBatcher* batcher = CQuadBatcher::forDriver(library.driver());
	for (const DrawStep& step : steps)
	{
		step.change(*parent, *node, fonts);
		node->refreshAbsolute();
		batcher->begin();
		node->draw(library.driver(), nullptr);
		// Expected from the layout itself: node-space quads under the transformation with whole-pixel
		// translation, in the absolute colour.
		irr::core::matrix4 world = node->getAbsoluteTransformation();
		world[12] = std::floor(world[12] + 0.5f);
		world[13] = std::floor(world[13] + 0.5f);
		world[14] = 0.0f;
		ASSERT_EQ(batcher->getPendingVertexCount(), 4 * node->getGlyphCount()) << step.label;
		const irr::video::S3DVertex* drawn = batcher->getPendingVertices();
		for (irr::u32 i = 0; i < node->getDrawOrder().size(); ++i)
		{
			const QuadRecord& glyph = node->getGlyphQuad(node->getDrawOrder()[i]);
			for (int corner = 0; corner < 4; ++corner)
			{
				const BatchVertex& v = glyph.vertices[corner];
				irr::core::vector3df expected(v.x, v.y, v.z);
				world.transformVect(expected);
				const irr::video::S3DVertex& got = drawn[4 * i + static_cast<irr::u32>(corner)];
				EXPECT_FLOAT_EQ(got.Pos.X, expected.X) << step.label << " glyph " << i << " corner " << corner;
				EXPECT_FLOAT_EQ(got.Pos.Y, expected.Y) << step.label << " glyph " << i << " corner " << corner;
				EXPECT_EQ(got.Color.color, node->getAbsoluteColor().color) << step.label << " glyph " << i;
				EXPECT_FLOAT_EQ(got.TCoords.X, v.u) << step.label << " glyph " << i;
				EXPECT_FLOAT_EQ(got.TCoords.Y, v.v) << step.label << " glyph " << i;
			}
		}
		batcher->begin();
	}
	CQuadBatcher::releaseForDriver(library.driver());
}

} // namespace
