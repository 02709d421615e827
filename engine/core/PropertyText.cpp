#include "PropertyText.h"

#include "NumberText.h"

#include <climits>
#include <cmath>
#include <cstdio>

irr::core::stringc formatPropertyFloat(float value)
{
	char buffer[64];
	std::snprintf(buffer, sizeof(buffer), "%f", static_cast<double>(value));
	return irr::core::stringc(buffer);
}

irr::core::stringc formatPropertyFloats(const float* values, int count)
{
	irr::core::stringc text;
	for (int i = 0; i < count; ++i)
	{
		if (i > 0)
			text.append(';');
		text.append(formatPropertyFloat(values[i]));
	}
	return text;
}

int readPropertyInt(const char* text)
{
	if (!text)
		return 0;
	while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\n' || *text == '\v' || *text == '\f')
		++text;
	return narrowToInt(text);
}

namespace
{
template <class C> irr::u32 readHex(const C* text)
{
	if (!text)
		return 0;
	while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\n' || *text == '\v' || *text == '\f')
		++text;
	irr::u32 value = 0;
	for (int digits = 0; digits < 8; ++digits, ++text)
	{
		const C c = *text;
		irr::u32 digit;
		if (c >= '0' && c <= '9')
			digit = static_cast<irr::u32>(c - '0');
		else if (c >= 'a' && c <= 'f')
			digit = static_cast<irr::u32>(c - 'a' + 10);
		else if (c >= 'A' && c <= 'F')
			digit = static_cast<irr::u32>(c - 'A' + 10);
		else
			break;
		value = (value << 4) | digit;
	}
	return value;
}
} // namespace

irr::u32 readPropertyHex(const char* text)
{
	return readHex(text);
}

irr::u32 readPropertyHexW(const wchar_t* text)
{
	return readHex(text);
}

int truncateToInt(double value)
{
	if (std::isnan(value))
		return 0;
	if (value >= static_cast<double>(INT_MAX))
		return INT_MAX;
	if (value <= static_cast<double>(INT_MIN))
		return INT_MIN;
	return static_cast<int>(value);
}
