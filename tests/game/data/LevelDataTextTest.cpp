#include "data/LevelDataText.h"

#include "LevelDataTestSupport.h"

#include <gtest/gtest.h>

namespace
{
std::string pieces(const irr::core::array<irr::core::stringc>& list)
{
	std::string text;
	for (irr::u32 i = 0; i < list.size(); ++i)
		text += (i ? "|" : "") + std::string(list[i].c_str());
	return text;
}

std::string numbers(const irr::core::array<int>& list)
{
	std::string text;
	for (irr::u32 i = 0; i < list.size(); ++i)
		text += (i ? " " : "") + std::to_string(list[i]);
	return text;
}
} // namespace

TEST(LevelDataText, SplitTextKeepsEmptyPieces)
{
	struct Case
	{
		const char* text;
		const char* pieces;
	};
	for (const Case& c :
	     {Case{"a;b", "a|b"}, Case{"", ""}, Case{"level2;", "level2|"}, Case{";;x", "||x"}, Case{" a ; b", " a | b"}})
	{
		const irr::core::array<irr::core::stringc> list = splitText(c.text, ';');
		EXPECT_EQ(pieces(list), c.pieces) << c.text;
	}
	EXPECT_EQ(splitText("", ';').size(), 1u);
	EXPECT_EQ(splitText("level2;", ';').size(), 2u);
}

TEST(LevelDataText, IntRangeTakesTheFirstTwoNumbers)
{
	struct Case
	{
		const wchar_t* text;
		int min;
		int max;
	};
	for (const Case& c : {Case{L"15000;25000", 15000, 25000}, Case{L"7", 7, 0}, Case{L"2.9;x;-3", 2, -3},
	                      Case{L"", 0, 0}, Case{L"x - 5 , 9 , 11", 5, 9}, Case{L"-0.7;99999999999", 0, 2147483647}})
	{
		const irr::core::vector2di range = parseIntRange(c.text);
		EXPECT_EQ(range.X, c.min) << narrow(c.text).c_str();
		EXPECT_EQ(range.Y, c.max) << narrow(c.text).c_str();
	}
	EXPECT_EQ(parseIntRange(nullptr), irr::core::vector2di(0, 0));
}

TEST(LevelDataText, IntListReadsEveryNumberRun)
{
	EXPECT_EQ(numbers(parseIntListW(L"3;-2;7.9;x")), "3 -2 7");
	EXPECT_EQ(numbers(parseIntListW(L"0 1,2")), "0 1 2");
	EXPECT_EQ(numbers(parseIntListW(L"none")), "");
}

TEST(LevelDataText, IdListsAreTrimmedWithoutEmptyPieces)
{
	EXPECT_EQ(idNames(parseIdListW(L"  Camping1 ;; Hostel1;")), "Camping1,Hostel1");
	EXPECT_TRUE(parseIdListW(L"").empty());
	const irr::core::array<StringId> list = parseIdListW(L"A;B");
	EXPECT_TRUE(isEmptyOrContains(list, internStringId("B")));
	EXPECT_FALSE(isEmptyOrContains(list, internStringId("C")));
	EXPECT_TRUE(isEmptyOrContains(irr::core::array<StringId>(), internStringId("C")));
}
