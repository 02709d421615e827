#include "data/IntList.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace
{
std::vector<int> parsed(const char* text)
{
	const irr::core::array<irr::s32> values = parseIntList(text);
	return std::vector<int>(values.const_pointer(), values.const_pointer() + values.size());
}

irr::core::array<irr::s32> arrayOf(const std::vector<int>& values)
{
	irr::core::array<irr::s32> out;
	for (int v : values)
		out.push_back(v);
	return out;
}
} // namespace

TEST(IntList, ParsesEveryNumberOfTheText)
{
	struct Case
	{
		const char* name;
		const char* text;
		std::vector<int> values;
	};
	const Case cases[] = {
	    {"list", "10;20;-3", {10, 20, -3}},
	    {"empty", "", {}},
	    {"fraction cut, letters separate", "7.9;x;2", {7, 2}},
	    {"any other character separates", "1 2,3", {1, 2, 3}},
	    {"negative fraction toward zero", "-7.9", {-7}},
	    {"exponent applied", "2e3;15e-1", {2000, 1}},
	    {"e without digits separates", "5e;x", {5}},
	    {"plus is a separator", "+4", {4}},
	    {"a lone minus reads as zero", "-;3", {0, 3}},
	    {"no separator at the ends", ";;8;;", {8}},
	    // Beyond what a float holds exactly, every digit still counts.
	    {"above 2^24", "16777217;2147483647;-2147483648", {16777217, 2147483647, -2147483647 - 1}},
	    {"money counter", "9999999;123456789", {9999999, 123456789}},
	    {"clamped above", "2147483648;99999999999999999999", {2147483647, 2147483647}},
	    {"clamped below", "-2147483649;-1e30", {-2147483647 - 1, -2147483647 - 1}},
	    {"huge exponent", "1e999;0e999;1e-999", {2147483647, 0, 0}},
	    {"digits beyond the range scale the exponent", "30000000000e-3", {30000000}},
	};
	for (const Case& c : cases)
		EXPECT_EQ(parsed(c.text), c.values) << c.name;
	EXPECT_EQ(parseIntList(static_cast<const char*>(nullptr)).size(), 0u);
}

TEST(IntList, JoinsWithSemicolonsOnlyBetweenValues)
{
	EXPECT_EQ(joinIntList(arrayOf({10, 20, -3})), "10;20;-3");
	EXPECT_EQ(joinIntList(arrayOf({})), "");
	EXPECT_EQ(joinIntList(arrayOf({5})), "5");
	EXPECT_EQ(joinIntList(arrayOf({2147483647, -2147483647 - 1})), "2147483647;-2147483648");
}

TEST(IntList, EveryListSurvivesTheRoundTrip)
{
	std::mt19937 random(7);
	std::uniform_int_distribution<int> any(INT32_MIN, INT32_MAX);
	std::uniform_int_distribution<int> length(0, 40);
	for (int round = 0; round < 500; ++round)
	{
		std::vector<int> values(static_cast<size_t>(length(random)));
		for (int& v : values)
			v = round % 2 ? any(random) : any(random) % 100000;
		EXPECT_EQ(parsed(joinIntList(arrayOf(values)).c_str()), values);
	}
}
