#include "NumberText.h"

#include <cmath>

namespace
{
constexpr float maxFloat = 3.4028235e38f;

template <class C>
bool isDigit(C c)
{
	return c >= C('0') && c <= C('9');
}

// Digits as an exact u32 while they fit, then in floating point; count gets the digit count.
template <class C>
const C* readDigits(const C* p, double& value, int& count)
{
	unsigned exact = 0;
	count = 0;
	while (isDigit(*p) && exact <= 429496718u)
	{
		exact = exact * 10u + static_cast<unsigned>(*p - C('0'));
		++p;
		++count;
	}
	value = exact;
	while (isDigit(*p))
	{
		value = value * 10.0 + static_cast<double>(*p - C('0'));
		++p;
		++count;
		if (value > maxFloat)
		{
			// Stop early; the rest of the digits still belong to this number.
			while (isDigit(*p))
				++p;
			break;
		}
	}
	return p;
}

template <class C>
int toInt(const C* text, const C** end)
{
	if (!text)
	{
		if (end)
			*end = nullptr;
		return 0;
	}
	const C* p = text;
	bool negative = false;
	if (*p == C('-') || *p == C('+'))
	{
		negative = *p == C('-');
		++p;
	}
	long long value = 0;
	bool saturated = false;
	while (isDigit(*p))
	{
		if (!saturated)
		{
			value = value * 10 + (*p - C('0'));
			if (value > 2147483647LL)
			{
				value = 2147483647LL;
				saturated = true;
			}
		}
		++p;
	}
	if (end)
		*end = p;
	return static_cast<int>(negative ? -value : value);
}

// The number reader: optional "-", digits, optional fraction, optional exponent. The value is
// kept in double precision so integers read through it stay exact up to 2^53.
template <class C>
const C* readNumber(const C* p, double& out)
{
	bool negative = false;
	if (*p == C('-'))
	{
		negative = true;
		++p;
	}
	double value = 0.0;
	int count = 0;
	p = readDigits(p, value, count);
	if (*p == C('.') && value <= maxFloat)
	{
		double fraction = 0.0;
		int digits = 0;
		const C* q = readDigits(p + 1, fraction, digits);
		value += fraction * std::pow(10.0, -digits);
		p = q;
	}
	if (*p == C('e') || *p == C('E'))
	{
		// The marker is used up even without exponent digits (the exponent is then 0).
		const C* q = nullptr;
		const int exponent = toInt(p + 1, &q);
		// Zero stays zero: 0 times an infinite power would be NaN.
		if (value != 0.0)
			value *= std::pow(10.0, static_cast<double>(exponent));
		p = q;
	}
	if (value > maxFloat)
		value = HUGE_VAL;
	out = negative ? -value : value;
	return p;
}

template <class C>
const C* toFloat(const C* text, float& out)
{
	out = 0.0f;
	if (!text)
		return nullptr;
	// Up to nine plain digits, the usual form of scene numbers, need no fraction or exponent work;
	// the value goes through double as the reader's does.
	const bool negative = *text == C('-');
	const C* p = negative ? text + 1 : text;
	unsigned exact = 0;
	int digits = 0;
	for (; digits < 9 && isDigit(*p); ++digits, ++p)
		exact = exact * 10u + static_cast<unsigned>(*p - C('0'));
	if (digits > 0 && !isDigit(*p) && *p != C('.') && *p != C('e') && *p != C('E'))
	{
		const double plain = static_cast<double>(exact);
		out = static_cast<float>(negative ? -plain : plain);
		return p;
	}
	double value = 0.0;
	const C* end = readNumber(text, value);
	out = static_cast<float>(value);
	return end;
}

template <class C>
int toIntByNumberForm(const C* text)
{
	if (!text)
		return 0;
	// Up to nine plain digits, the usual form of such numbers, need no floating point.
	const bool negative = *text == C('-');
	const C* p = negative ? text + 1 : text;
	int exact = 0;
	int digits = 0;
	for (; digits < 9 && isDigit(*p); ++digits, ++p)
		exact = exact * 10 + static_cast<int>(*p - C('0'));
	if (digits > 0 && !isDigit(*p) && *p != C('.') && *p != C('e') && *p != C('E'))
		return negative ? -exact : exact;
	double value = 0.0;
	readNumber(text, value);
	if (value >= 2147483647.0)
		return 2147483647;
	if (value <= -2147483648.0)
		return -2147483647 - 1;
	return static_cast<int>(value);
}

template <class C>
int scan(const C* text, float* out, int count)
{
	for (int i = 0; i < count; ++i)
		out[i] = 0.0f;
	if (!text)
		return 0;
	int found = 0;
	const C* p = text;
	while (*p && found < count)
	{
		if (*p == C('-') || isDigit(*p))
		{
			const C* next = toFloat(p, out[found]);
			++found;
			p = next > p ? next : p + 1;
		}
		else
		{
			++p;
		}
	}
	return found;
}
} // namespace

const wchar_t* wideToFloat(const wchar_t* text, float& out) { return toFloat(text, out); }
const char* narrowToFloat(const char* text, float& out) { return toFloat(text, out); }

int wideToInt(const wchar_t* text, const wchar_t** end) { return toInt(text, end); }
int narrowToInt(const char* text, const char** end) { return toInt(text, end); }

int wideNumberToInt(const wchar_t* text) { return toIntByNumberForm(text); }
int narrowNumberToInt(const char* text) { return toIntByNumberForm(text); }

int scanNumbers(const char* text, float* out, int count) { return scan(text, out, count); }
int scanNumbersW(const wchar_t* text, float* out, int count) { return scan(text, out, count); }

irr::core::vector2df parseVector2dW(const wchar_t* text)
{
	float v[2];
	scan(text, v, 2);
	return {v[0], v[1]};
}

irr::core::vector3df parseVector3dW(const wchar_t* text)
{
	float v[3];
	scan(text, v, 3);
	return {v[0], v[1], v[2]};
}

void parseFloat4W(const wchar_t* text, float out[4]) { scan(text, out, 4); }

irr::core::vector2df parseVector2d(const char* text)
{
	float v[2];
	scan(text, v, 2);
	return {v[0], v[1]};
}

irr::core::vector3df parseVector3d(const char* text)
{
	float v[3];
	scan(text, v, 3);
	return {v[0], v[1], v[2]};
}

void parseFloat4(const char* text, float out[4]) { scan(text, out, 4); }
