#include "IntList.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace
{
constexpr int64_t Largest = INT32_MAX;
constexpr int64_t Smallest = INT32_MIN;
// Beyond this many powers of ten a double is infinite or zero anyway.
constexpr int ExponentLimit = 400;

bool isDigit(char c)
{
	return c >= '0' && c <= '9';
}

int32_t clampToInt(double value)
{
	if (!(value < static_cast<double>(Largest)))
		return INT32_MAX;
	if (!(value > static_cast<double>(Smallest)))
		return INT32_MIN;
	return static_cast<int32_t>(value);
}

// Reads one number from p (at '-' or a digit); returns the position after it.
const char* readNumber(const char* p, int32_t& out)
{
	const bool negative = *p == '-';
	if (negative)
		++p;
	// Whole part exactly; once it is past the range the further digits only count as powers of ten.
	int64_t whole = 0;
	int dropped = 0;
	for (; isDigit(*p); ++p)
	{
		if (whole <= Largest + 1)
			whole = whole * 10 + (*p - '0');
		else if (dropped < ExponentLimit)
			++dropped;
	}
	double fraction = 0.0;
	if (*p == '.')
	{
		double scale = 0.1;
		for (++p; isDigit(*p); ++p, scale *= 0.1)
			fraction += (*p - '0') * scale;
	}
	const bool hasExponent =
	    (*p == 'e' || *p == 'E') && (isDigit(p[1]) || ((p[1] == '-' || p[1] == '+') && isDigit(p[2])));
	if (!hasExponent)
	{
		const int64_t value = negative ? -whole : whole;
		out = static_cast<int32_t>(value > Largest ? Largest : value < Smallest ? Smallest : value);
		return p;
	}
	++p;
	const bool negativeExponent = *p == '-';
	if (*p == '-' || *p == '+')
		++p;
	int exponent = 0;
	for (; isDigit(*p); ++p)
		if (exponent < ExponentLimit)
			exponent = exponent * 10 + (*p - '0');
	const double mantissa = dropped > 0 ? static_cast<double>(whole) : static_cast<double>(whole) + fraction;
	const int power = (negativeExponent ? -exponent : exponent) + dropped;
	const double value = mantissa == 0.0 ? 0.0 : mantissa * std::pow(10.0, power);
	out = clampToInt(negative ? -value : value);
	return p;
}
} // namespace

irr::core::array<irr::s32> parseIntList(const char* text)
{
	irr::core::array<irr::s32> values;
	if (!text)
		return values;
	for (const char* p = text; *p;)
	{
		if (*p == '-' || isDigit(*p))
		{
			int32_t value = 0;
			p = readNumber(p, value);
			values.push_back(value);
		}
		else
		{
			++p;
		}
	}
	return values;
}

irr::core::array<irr::s32> parseIntList(const irr::core::stringc& text)
{
	return parseIntList(text.c_str());
}

irr::core::stringc joinIntList(const irr::core::array<irr::s32>& values)
{
	irr::core::stringc text;
	char number[16];
	for (irr::u32 i = 0; i < values.size(); ++i)
	{
		if (i > 0)
			text += ';';
		std::snprintf(number, sizeof(number), "%d", static_cast<int>(values[i]));
		text += number;
	}
	return text;
}
