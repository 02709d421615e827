#include "nodes/EditBuffer.h"
#include "nodes/EditInputMask.h"

#include <gtest/gtest.h>

namespace
{
struct MaskCase
{
	const char* mask;
	wchar_t character;
	bool accepted;
};

class EditInputMaskTest : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(EditInputMaskTest, LettersOfTheMaskNameTheAcceptedClasses)
{
	EditInputMask mask;
	mask.setMask(GetParam().mask);
	EXPECT_EQ(mask.acceptsChar(GetParam().character), GetParam().accepted)
	    << GetParam().mask << " / " << static_cast<int>(GetParam().character);
}

INSTANTIATE_TEST_SUITE_P(Masks, EditInputMaskTest,
                         ::testing::Values(MaskCase{"", L'%', true}, MaskCase{"", L'\n', true},
                                           MaskCase{"0", L'5', true}, MaskCase{"0", L'a', false},
                                           MaskCase{"A", L'x', true}, MaskCase{"a", L'7', false},
                                           MaskCase{"0a", L'7', true}, MaskCase{"S", L' ', true},
                                           MaskCase{"s", L'x', false}, MaskCase{"R", L'\n', true},
                                           MaskCase{"r", L'\r', true}, MaskCase{"0", L'\n', false},
                                           MaskCase{"T", L'\t', true}, MaskCase{"A", L'\t', false},
                                           // A mask without any known letter accepts nothing.
                                           MaskCase{"xyz", L'a', false}, MaskCase{"-", L'-', false}));

EditBuffer bufferOf(const wchar_t* text)
{
	EditBuffer buffer;
	buffer.setText(text);
	return buffer;
}

TEST(EditBufferTest, LinesSplitAtEveryKindOfLineBreak)
{
	EditBuffer buffer = bufferOf(L"ab\r\ncde\nf\rg");
	ASSERT_EQ(buffer.getLineCount(), 4);
	const int lengths[4] = {2, 3, 1, 1};
	for (int i = 0; i < 4; ++i)
		EXPECT_EQ(buffer.getLineLength(i), lengths[i]) << i;
	EXPECT_EQ(buffer.getLength(), 11u);
	EXPECT_EQ(bufferOf(L"").getLineCount(), 1);
	EXPECT_EQ(bufferOf(L"x\n").getLineCount(), 2);
}

struct BackspaceCase
{
	const wchar_t* text;
	EditCaret caret;
	const wchar_t* expectedText;
	EditCaret expectedCaret;
};

class EditBackspaceTest : public ::testing::TestWithParam<BackspaceCase>
{
};

// At a line start the whole line break goes, and the caret lands at the join.
TEST_P(EditBackspaceTest, RemovesTheCharacterBeforeTheCaret)
{
	const BackspaceCase& c = GetParam();
	EditBuffer buffer = bufferOf(c.text);
	EditCaret caret = c.caret;
	buffer.deleteBackward(caret);
	EXPECT_EQ(buffer.getText(), irr::core::stringw(c.expectedText));
	EXPECT_EQ(caret.line, c.expectedCaret.line);
	EXPECT_EQ(caret.column, c.expectedCaret.column);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditBackspaceTest,
                         ::testing::Values(BackspaceCase{L"abc", {0, 1}, L"ac", {0, 0}},
                                           BackspaceCase{L"abc", {0, -1}, L"abc", {0, -1}},
                                           BackspaceCase{L"ab\r\ncd", {1, -1}, L"abcd", {0, 1}},
                                           BackspaceCase{L"ab\ncd", {1, -1}, L"abcd", {0, 1}},
                                           BackspaceCase{L"\r\ncd", {1, -1}, L"cd", {0, -1}},
                                           BackspaceCase{L"ab\r\n\r\n", {2, -1}, L"ab\r\n", {1, -1}}));

TEST(EditBufferTest, DeleteTakesTheCharacterAfterTheCaretOrAWholeLineBreak)
{
	EditBuffer buffer = bufferOf(L"ab\r\ncd");
	EXPECT_TRUE(buffer.deleteForward({0, 1}));
	EXPECT_EQ(buffer.getText(), irr::core::stringw(L"abcd"));
	EXPECT_FALSE(buffer.deleteForward({0, 3}));
	EXPECT_TRUE(buffer.deleteForward({0, -1}));
	EXPECT_EQ(buffer.getText(), irr::core::stringw(L"bcd"));
}

TEST(EditBufferTest, InsertingALineBreakStartsTheNextLine)
{
	EditBuffer buffer = bufferOf(L"abcd");
	EditCaret caret{0, 1};
	buffer.insertChar(L'\n', caret);
	EXPECT_EQ(buffer.getText(), irr::core::stringw(L"ab\ncd"));
	EXPECT_EQ(caret, (EditCaret{1, -1}));
	buffer.insertChar(L'x', caret);
	EXPECT_EQ(buffer.getText(), irr::core::stringw(L"ab\nxcd"));
	EXPECT_EQ(caret, (EditCaret{1, 0}));
}

struct MoveCase
{
	const char* key;
	EditCaret from;
	EditCaret to;
};

class EditCaretMoveTest : public ::testing::TestWithParam<MoveCase>
{
};

TEST_P(EditCaretMoveTest, MovesStayOnValidPositions)
{
	// Lines of 4, 1 and 3 characters.
	EditBuffer buffer = bufferOf(L"abcd\r\ne\nfgh");
	const MoveCase& c = GetParam();
	EditCaret caret = c.from;
	const std::string key = c.key;
	if (key == "Left")
		buffer.moveLeft(caret);
	else if (key == "Right")
		buffer.moveRight(caret);
	else if (key == "Up")
		buffer.moveUp(caret);
	else if (key == "Down")
		buffer.moveDown(caret);
	else if (key == "Home")
		buffer.moveHome(caret);
	else
		buffer.moveEnd(caret);
	EXPECT_EQ(caret.line, c.to.line) << c.key;
	EXPECT_EQ(caret.column, c.to.column) << c.key;
}

INSTANTIATE_TEST_SUITE_P(Moves, EditCaretMoveTest,
                         ::testing::Values(MoveCase{"Left", {0, -1}, {0, -1}}, MoveCase{"Left", {1, 0}, {1, -1}},
                                           MoveCase{"Left", {1, -1}, {0, 3}}, MoveCase{"Right", {0, 2}, {0, 3}},
                                           MoveCase{"Right", {0, 3}, {1, -1}}, MoveCase{"Right", {2, 2}, {2, 2}},
                                           MoveCase{"Up", {2, 2}, {1, 0}}, MoveCase{"Up", {1, -1}, {0, -1}},
                                           MoveCase{"Down", {0, 3}, {1, 0}}, MoveCase{"Down", {1, -1}, {2, -1}},
                                           MoveCase{"Home", {2, 1}, {2, -1}}, MoveCase{"End", {0, -1}, {0, 3}}));
} // namespace
