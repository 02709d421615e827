#include "core/ContentRef.h"
#include "core/NumberText.h"
#include "core/StringId.h"
#include "core/TextUtils.h"

#include <cmath>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StringIds, InterningIsStableAndEmptyIsMinusOne)
{
	StringId a = internStringId("text-test-alpha");
	StringId b = internStringId("text-test-beta");
	EXPECT_EQ(b.id, a.id + 1);
	EXPECT_EQ(internStringId("text-test-alpha"), a);
	EXPECT_EQ(internStringId("").id, -1);
	EXPECT_EQ(getStringById(StringId(-1)), irr::core::stringc(""));
	EXPECT_EQ(getStringById(a), irr::core::stringc("text-test-alpha"));
	EXPECT_EQ(getStringById(StringId(1 << 30)), irr::core::stringc(""));
}

TEST(StringIds, IdsStayPutWhileTheRegistryGrows)
{
	// Far more names than the registry starts with room for, alike in length and prefix.
	std::vector<StringId> ids;
	for (int i = 0; i < 3000; ++i)
		ids.push_back(internStringId(("grow-" + std::to_string(i)).c_str()));
	for (int i = 0; i < 3000; ++i)
	{
		const std::string name = "grow-" + std::to_string(i);
		ASSERT_EQ(ids[static_cast<size_t>(i)].id, ids[0].id + i) << name;
		ASSERT_EQ(internStringId(name.c_str()), ids[static_cast<size_t>(i)]) << name;
		ASSERT_EQ(getStringById(ids[static_cast<size_t>(i)]), irr::core::stringc(name.c_str())) << name;
	}
}

TEST(StringIds, ContentNamesHaveTheirOwnRegistry)
{
	for (int i = 0; i < 3; ++i)
		internStringId(("filler-" + std::to_string(i)).c_str());
	ContentRef ref(nullptr, "scenes/Only.qscn");
	EXPECT_EQ(ref.getName(), irr::core::stringc("scenes/Only.qscn"));
	EXPECT_EQ(getStringById(StringId(ref.getNameId())) == "scenes/Only.qscn", false);
}

TEST(TextFormatting, MinutesSeconds)
{
	struct Case
	{
		unsigned ms;
		const wchar_t* text;
	};
	for (const Case& c : {Case{0, L"00:00"}, Case{59999, L"00:59"}, Case{60000, L"01:00"}, Case{3600000, L"00:00"},
						  Case{3723000, L"02:03"}})
		EXPECT_EQ(formatMinutesSeconds(c.ms), irr::core::stringw(c.text)) << c.ms;
}

TEST(TextFormatting, TotalMinutesSecondsCountsTheHoursInTheMinutes)
{
	struct Case
	{
		unsigned ms;
		const wchar_t* text;
	};
	for (const Case& c : {Case{0, L"00:00"}, Case{59999, L"00:59"}, Case{599999, L"09:59"}, Case{3599999, L"59:59"},
	                      Case{3600000, L"60:00"}, Case{3723000, L"62:03"}, Case{6000000, L"100:00"},
	                      Case{4294967295u, L"71582:47"}})
		EXPECT_EQ(formatTotalMinutesSeconds(c.ms), irr::core::stringw(c.text)) << c.ms;
}

TEST(TextFormatting, Thousands)
{
	struct Case
	{
		int value;
		const wchar_t* text;
	};
	for (const Case& c : {Case{0, L"0"}, Case{999, L"999"}, Case{1000, L"1,000"}, Case{1234567, L"1,234,567"},
						  Case{-123, L"-123"}, Case{-1234, L"-1,234"}, Case{-123456, L"-123,456"},
						  Case{-2147483647 - 1, L"-2,147,483,648"}})
		EXPECT_EQ(formatThousands(c.value, L','), irr::core::stringw(c.text)) << c.value;
}

TEST(TextFormatting, IntToStringCoversTheWholeRange)
{
	EXPECT_EQ(intToStringW(0), irr::core::stringw(L"0"));
	EXPECT_EQ(intToStringW(1234567), irr::core::stringw(L"1234567"));
	EXPECT_EQ(intToStringW(-2147483647 - 1), irr::core::stringw(L"-2147483648"));
	EXPECT_EQ(intToStringW(2147483647), irr::core::stringw(L"2147483647"));
}

TEST(TextFormatting, SplitToIdsTrimsAndSkipsEmptyPieces)
{
	auto ids = splitToIds("a; b;;c ;");
	ASSERT_EQ(ids.size(), 3u);
	EXPECT_EQ(ids[0], internStringId("a"));
	EXPECT_EQ(ids[1], internStringId("b"));
	EXPECT_EQ(ids[2], internStringId("c"));
	EXPECT_EQ(splitToIds("").size(), 0u);
	EXPECT_EQ(splitToIds(" ; ").size(), 0u);
	EXPECT_EQ(splitToIds("\tone\r\n").size(), 1u);
}

TEST(TextFormatting, UpperCaseChangesAsciiLettersOnly)
{
	irr::core::stringw text(L"abz09\x00e9\x00fc!");
	makeUpperW(text);
	EXPECT_EQ(text, irr::core::stringw(L"ABZ09\x00e9\x00fc!"));
}

// Narrow text is UTF-8 both ways; bytes that are no UTF-8 survive a round trip through wide text.
TEST(TextConversion, NarrowIsUtf8AndRoundTrips)
{
	struct Case
	{
		const char* label;
		const wchar_t* wide;
		const char* narrow;
	};
	for (const Case& c : {Case{"ascii", L"scenes/Main.qscn", "scenes/Main.qscn"},
						  Case{"latin", L"p\u00e1gina.png", "p\xC3\xA1gina.png"},
						  Case{"beyond a byte", L"\u0100\u20ac", "\xC4\x80\xE2\x82\xAC"},
						  Case{"beyond 16 bits", L"\U0001F600", "\xF0\x9F\x98\x80"},
						  Case{"empty", L"", ""}})
	{
		EXPECT_STREQ(narrow(c.wide).c_str(), c.narrow) << c.label;
		EXPECT_EQ(widen(c.narrow), irr::core::stringw(c.wide)) << c.label;
	}
	for (const char* bytes : {"caf\xE9.png", "\xC3", "a\xF0\x9F\x98", "\xED\xA0\x80", "\xC0\xAF", "\xFF\xFE"})
		EXPECT_STREQ(narrow(widen(bytes)).c_str(), bytes) << bytes;
	// Surrogates that are no escaped byte and values beyond Unicode have no UTF-8 form.
	const wchar_t odd[] = {0xD800, static_cast<wchar_t>(0x110000), 0};
	EXPECT_STREQ(narrow(odd).c_str(), "??");
	EXPECT_EQ(widen(static_cast<const char*>(nullptr)).size(), 0u);
	EXPECT_EQ(narrow(static_cast<const wchar_t*>(nullptr)).size(), 0u);
}

TEST(NumberText, ScannerReadsNumbersBetweenAnySeparators)
{
	struct Case
	{
		const char* text;
		float a, b;
	};
	for (const Case& c : {Case{"1;2", 1, 2}, Case{"1, 2", 1, 2}, Case{"(1 2)", 1, 2}, Case{"+5", 5, 0},
						  Case{".5", 5, 0}, Case{"1e3", 1000, 0}, Case{"-;7", 0, 7}, Case{"-1.25;3.5e-1", -1.25f, 0.35f},
						  Case{"2.5e+3", 2500, 0}, Case{"2e-;3", 2, 3}, Case{"2E;3", 2, 3},
						  Case{"", 0, 0}, Case{"x", 0, 0}})
	{
		auto v = parseVector2d(c.text);
		EXPECT_FLOAT_EQ(v.X, c.a) << c.text;
		EXPECT_FLOAT_EQ(v.Y, c.b) << c.text;
		auto w = parseVector2dW(widen(c.text).c_str());
		EXPECT_FLOAT_EQ(w.X, c.a) << c.text;
		EXPECT_FLOAT_EQ(w.Y, c.b) << c.text;
	}
	float four[4];
	parseFloat4("1;2;3", four);
	EXPECT_EQ(four[3], 0.0f);
	auto v3 = parseVector3dW(L"4;5;6;7");
	EXPECT_EQ(v3.Z, 6.0f);
}

TEST(NumberText, ReaderReturnsPositionAfterNumber)
{
	float f = 1;
	const wchar_t* text = L"12.5px";
	EXPECT_EQ(wideToFloat(text, f), text + 4);
	EXPECT_FLOAT_EQ(f, 12.5f);
	EXPECT_EQ(wideToFloat(nullptr, f), nullptr);
	EXPECT_EQ(f, 0.0f);
	narrowToFloat("123456789012", f);
	EXPECT_FLOAT_EQ(f, 123456789012.0f);
	// Plain digits end where a fraction, an exponent or any other character starts.
	const wchar_t* plain = L"-50;20";
	EXPECT_EQ(wideToFloat(plain, f), plain + 3);
	EXPECT_EQ(f, -50.0f);
	const char* nines = "999999999x";
	EXPECT_EQ(narrowToFloat(nines, f), nines + 9);
	EXPECT_EQ(f, 999999999.0f);
	narrowToFloat("16777217", f);
	EXPECT_EQ(f, 16777216.0f);
	narrowToFloat("-0", f);
	EXPECT_TRUE(std::signbit(f));
	narrowToFloat("1e400", f);
	EXPECT_TRUE(std::isinf(f));
	// An exponent marker is used up with its sign even when no digit follows.
	const char* cut = "2e-;3";
	EXPECT_EQ(narrowToFloat(cut, f), cut + 3);
	EXPECT_EQ(f, 2.0f);
	narrowToFloat("0e99999999999", f);
	EXPECT_EQ(f, 0.0f);
}

TEST(NumberText, IntegerByNumberFormTruncatesTheNumber)
{
	struct Case
	{
		const char* text;
		int value;
	};
	for (const Case& c : {Case{"1e3", 1000}, Case{"2.5e+3", 2500}, Case{"3.9", 3}, Case{"-3.9", -3}, Case{"+5", 0},
						  Case{"12px", 12}, Case{"16777217", 16777217}, Case{"1e10", 2147483647},
						  Case{"-1e10", -2147483647 - 1}, Case{"1e400", 2147483647}, Case{"0e99999999999", 0},
						  Case{"", 0}, Case{"400", 400}, Case{"-20", -20}, Case{"999999999", 999999999},
						  Case{"2147483647", 2147483647}, Case{"99999999999", 2147483647},
						  Case{"-2147483648", -2147483647 - 1}, Case{"7E2", 700}, Case{"-", 0}, Case{"-0", 0}})
	{
		EXPECT_EQ(narrowNumberToInt(c.text), c.value) << c.text;
		EXPECT_EQ(wideNumberToInt(widen(c.text).c_str()), c.value) << c.text;
	}
	EXPECT_EQ(wideNumberToInt(nullptr), 0);
}

TEST(NumberText, IntegerReaderSaturatesAndStopsAtNonDigits)
{
	struct Case
	{
		const char* text;
		int value;
		int used;
	};
	for (const Case& c : {Case{"42", 42, 2}, Case{"-17x", -17, 3}, Case{"+8", 8, 2}, Case{"99999999999", 2147483647, 11},
						  Case{"16777217", 16777217, 8}, Case{"3.9", 3, 1}, Case{"12px", 12, 2}, Case{"", 0, 0}})
	{
		const char* end = nullptr;
		EXPECT_EQ(narrowToInt(c.text, &end), c.value) << c.text;
		EXPECT_EQ(end - c.text, c.used) << c.text;
		EXPECT_EQ(wideToInt(widen(c.text).c_str()), c.value) << c.text;
	}
}
