#include "nodes/EditNode.h"

#include "WidgetTestSupport.h"
#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "device/CDeviceStub.h"
#include "device/CTimer.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"

#include <gtest/gtest.h>

namespace
{
// An edit field bound to a template whose "Text" part (300 x 16, monospace glyphs 10 pixels wide)
// has a "Cursor" child; the device timer drives the key delay.
class EditNodeTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		device = new CDeviceStub();
		font = new MonospaceFont(frames);
		form = new BaseNode(ContentRef(), nullptr, &services);
	}

	SmartPointer<EditNode> makeEdit(int hAlign = TextNode::AlignLeft)
	{
		SmartPointer<BaseNode> look(new BaseNode());
		look->setName("EditLook");
		SmartPointer<TextNode> text(new TextNode(ContentRef(), look.get()));
		text->setName("Text");
		text->setFont(font.get());
		text->setBounds({300, 16, 0});
		text->setTextHAlign(hAlign);
		SmartPointer<BaseNode> cursor(new BaseNode(ContentRef(), text.get()));
		cursor->setName("Cursor");
		services.templates->addTemplate(look.get());

		setTime(1000);
		// Value changes are posted to the parent.
		SmartPointer<EditNode> edit(new EditNode(ContentRef(), form.get(), &services));
		edit->setTemplateName(internStringId("EditLook"));
		// Past the key delay that the template's setText started.
		setTime(2000);
		return edit;
	}

	void setTime(unsigned ms) { device->getTimer()->setTime(ms); }

	// Virtual-key code of the key that types c ('%' is shift and 5).
	static int keyOf(wchar_t c)
	{
		if (c >= L'a' && c <= L'z')
			return c - L'a' + 'A';
		return c == L'%' ? '5' : c;
	}

	// Offers a key; true when the edit took it.
	static bool press(EditNode* edit, int key, wchar_t character = 0)
	{
		SmartPointer<CEventInputKeyDown> event(new CEventInputKeyDown(character, key, false, false));
		return edit->onEvent(event.get());
	}

	static void type(EditNode* edit, const wchar_t* text)
	{
		for (const wchar_t* c = text; *c; ++c)
			press(edit, keyOf(*c), *c);
	}

	static float cursorX(EditNode* edit) { return edit->getCursorPart()->getPosition().X; }

	int valueChanges() const { return services.posted(CEventNodeValueChanged::TypeId); }

	TestFrames frames;
	SmartPointer<CDeviceStub> device;
	SmartPointer<MonospaceFont> font;
	RecordingServices services;
	SmartPointer<BaseNode> form;
};

TEST_F(EditNodeTest, PartsAreBoundFromTheTemplate)
{
	SmartPointer<EditNode> edit = makeEdit();
	ASSERT_NE(edit->getTextPart(), nullptr);
	ASSERT_NE(edit->getCursorPart(), nullptr);
	EXPECT_FALSE(edit->getCursorPart()->isVisible());
	edit->setFocused(true);
	EXPECT_TRUE(edit->getCursorPart()->isVisible());
}

TEST_F(EditNodeTest, ADigitMaskDropsLettersAndLeavesThemToTheControl)
{
	SmartPointer<EditNode> edit = makeEdit();
	edit->setInputMask("0");
	EXPECT_TRUE(press(edit.get(), '1', L'1'));
	EXPECT_FALSE(press(edit.get(), 'A', L'a'));
	EXPECT_TRUE(press(edit.get(), '2', L'2'));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"12"));
	EXPECT_EQ(valueChanges(), 2);
}

TEST_F(EditNodeTest, KeysPastTheMaximumLengthAreSwallowedSilently)
{
	SmartPointer<EditNode> edit = makeEdit();
	edit->setMaxTextLength(8);
	type(edit.get(), L"abcdefgh");
	EXPECT_EQ(valueChanges(), 8);
	EXPECT_TRUE(press(edit.get(), 'I', L'i'));
	EXPECT_TRUE(press(edit.get(), 13, L'\r'));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"abcdefgh"));
	EXPECT_EQ(valueChanges(), 8);
}

TEST_F(EditNodeTest, KeysWithinTheDelayAfterSetTextAreSwallowed)
{
	SmartPointer<EditNode> edit = makeEdit();
	edit->setText(L"x");
	setTime(2100);
	EXPECT_TRUE(press(edit.get(), 'A', L'a'));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"x"));
	setTime(2101);
	press(edit.get(), 'A', L'a');
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"ax"));
}

TEST_F(EditNodeTest, DeleteAtTheEndChangesNothingButStillReports)
{
	SmartPointer<EditNode> edit = makeEdit();
	type(edit.get(), L"ab");
	services.clear();
	EXPECT_TRUE(press(edit.get(), 46));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"ab"));
	EXPECT_EQ(valueChanges(), 1);
}

TEST_F(EditNodeTest, EnterStartsALineOnlyWhenTheMaskAllowsLineBreaks)
{
	SmartPointer<EditNode> edit = makeEdit();
	edit->setInputMask("A");
	type(edit.get(), L"ab");
	EXPECT_TRUE(press(edit.get(), 13, L'\r'));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"ab"));

	edit->setInputMask("");
	press(edit.get(), 35);
	EXPECT_TRUE(press(edit.get(), 13, L'\r'));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"ab\n"));
	EXPECT_EQ(edit->getCaret(), (EditCaret{1, -1}));
	EXPECT_EQ(edit->getTextPart()->getLineCount(), 2u);
	EXPECT_FLOAT_EQ(edit->getCursorPart()->getPosition().Y, 16.0f);
}

TEST_F(EditNodeTest, HomeThenTypingInsertsBeforeTheFirstCharacter)
{
	SmartPointer<EditNode> edit = makeEdit();
	type(edit.get(), L"bc");
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 20.5f);
	press(edit.get(), 36);
	EXPECT_FLOAT_EQ(cursorX(edit.get()), -0.5f);
	services.clear();
	type(edit.get(), L"a");
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"abc"));
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 10.5f);
	// Caret moves report nothing.
	press(edit.get(), 39);
	press(edit.get(), 37);
	EXPECT_EQ(valueChanges(), 1);
}

// Typed text is never read as dictionary tags, so every '%' stays one character on screen.
TEST_F(EditNodeTest, PercentSignsDoNotShiftTheCaret)
{
	SmartPointer<EditNode> edit = makeEdit();
	type(edit.get(), L"%%x%");
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"%%x%"));
	EXPECT_EQ(edit->getTextPart()->getDisplayedText(), irr::core::stringw(L"%%x%"));
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 40.5f);
}

// Centred lines lose their outer blanks on screen; the caret follows the glyphs shown.
TEST_F(EditNodeTest, BlanksInACentredFieldDoNotShiftTheCaret)
{
	SmartPointer<EditNode> edit = makeEdit(TextNode::AlignCenter);
	type(edit.get(), L" ");
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 150.0f);
	type(edit.get(), L"a");
	// " a" shows as "a" at 145..155.
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 155.5f);
	type(edit.get(), L"b ");
	// " ab " shows as "ab" at 140..160; the caret stays after the last glyph.
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 160.5f);
	press(edit.get(), 36);
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 139.5f);
}

TEST_F(EditNodeTest, BackspaceAtALineStartJoinsTheLines)
{
	SmartPointer<EditNode> edit = makeEdit();
	edit->setText(L"ab\r\ncd");
	setTime(3000);
	press(edit.get(), 40);
	EXPECT_EQ(edit->getCaret(), (EditCaret{1, -1}));
	EXPECT_TRUE(press(edit.get(), 8));
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"abcd"));
	EXPECT_EQ(edit->getCaret(), (EditCaret{0, 1}));
	EXPECT_FLOAT_EQ(cursorX(edit.get()), 20.5f);
	press(edit.get(), 36);
	services.clear();
	EXPECT_TRUE(press(edit.get(), 8));
	EXPECT_EQ(valueChanges(), 0);
}

TEST_F(EditNodeTest, ControlCharactersAreNotText)
{
	SmartPointer<EditNode> edit = makeEdit();
	EXPECT_FALSE(press(edit.get(), 27, L'\x1b'));
	EXPECT_TRUE(edit->getText().empty());
}

TEST_F(EditNodeTest, WithoutATextPartKeysAreSwallowed)
{
	SmartPointer<EditNode> edit(new EditNode());
	EXPECT_TRUE(press(edit.get(), 'A', L'a'));
	EXPECT_TRUE(edit->getText().empty());
	edit->setText(L"kept");
	EXPECT_EQ(edit->getText(), irr::core::stringw(L"kept"));
}

TEST_F(EditNodeTest, PropertiesRoundTripWithoutDefaults)
{
	SmartPointer<EditNode> edit(new EditNode());
	CPropertyCollection defaults;
	edit->writeProperties(defaults);
	for (const char* name : {"Text", "MaxTextLength", "InputMask"})
		EXPECT_LT(defaults.indexOf(name), 0) << name;

	edit->setText(L"name");
	edit->setMaxTextLength(12);
	edit->setInputMask("AS");
	CPropertyCollection written;
	edit->writeProperties(written);
	SmartPointer<BaseNode> reread(NodeFactory::instance()->createNode(L"EditNode", ContentRef()));
	ASSERT_NE(reread.get(), nullptr);
	reread->readProperties(written);
	auto* copy = nodeCast<EditNode>(reread.get());
	EXPECT_EQ(copy->getText(), irr::core::stringw(L"name"));
	EXPECT_EQ(copy->getMaxTextLength(), 12);
	EXPECT_TRUE(copy->acceptsChar(L' '));
	EXPECT_FALSE(copy->acceptsChar(L'1'));
}
} // namespace
