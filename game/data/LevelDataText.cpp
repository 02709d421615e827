#include "LevelDataText.h"

#include "content/IXMLReader.h"
#include "core/PropertyText.h"
#include "core/TextUtils.h"

namespace
{
bool isDigit(wchar_t c)
{
	return c >= L'0' && c <= L'9';
}

// Reads one number starting at text (a "-" followed by a digit, or a digit); returns the position after it.
const wchar_t* readNumber(const wchar_t* text, int& out)
{
	bool negative = false;
	if (*text == L'-')
	{
		negative = true;
		++text;
	}
	// Kept in double so a run of digits saturates instead of overflowing.
	double value = 0.0;
	while (isDigit(*text))
		value = value * 10.0 + (*text++ - L'0');
	if (*text == L'.')
	{
		double scale = 0.1;
		for (++text; isDigit(*text); ++text, scale *= 0.1)
			value += (*text - L'0') * scale;
	}
	out = truncateToInt(negative ? -value : value);
	return text;
}

bool startsNumber(const wchar_t* text)
{
	return isDigit(text[0]) || (text[0] == L'-' && isDigit(text[1]));
}

// Reads up to limit numbers (all when limit is negative).
irr::core::array<int> readNumbers(const wchar_t* text, int limit)
{
	irr::core::array<int> numbers;
	if (!text)
		return numbers;
	while (*text && (limit < 0 || static_cast<int>(numbers.size()) < limit))
	{
		if (!startsNumber(text))
		{
			++text;
			continue;
		}
		int value = 0;
		text = readNumber(text, value);
		numbers.push_back(value);
	}
	return numbers;
}
} // namespace

irr::core::array<irr::core::stringc> splitText(const irr::core::stringc& text, char separator)
{
	irr::core::array<irr::core::stringc> pieces;
	const irr::u32 n = text.size();
	irr::u32 start = 0;
	while (true)
	{
		irr::u32 end = start;
		while (end < n && text[end] != separator)
			++end;
		pieces.push_back(irr::core::stringc(text.c_str() + start, end - start));
		if (end >= n)
			break;
		start = end + 1;
	}
	return pieces;
}

irr::core::vector2di parseIntRange(const wchar_t* text)
{
	const irr::core::array<int> numbers = readNumbers(text, 2);
	return irr::core::vector2di(numbers.size() > 0 ? numbers[0] : 0, numbers.size() > 1 ? numbers[1] : 0);
}

irr::core::array<int> parseIntListW(const wchar_t* text)
{
	return readNumbers(text, -1);
}

irr::core::array<StringId> parseIdListW(const irr::core::stringw& text)
{
	return splitToIds(narrow(text).c_str());
}

bool isEmptyOrContains(const irr::core::array<StringId>& list, StringId id)
{
	if (list.empty())
		return true;
	for (irr::u32 i = 0; i < list.size(); ++i)
		if (list[i] == id)
			return true;
	return false;
}

void skipElement(IXMLReader* reader)
{
	if (reader->getNodeType() != XML_NODE_ELEMENT || reader->isEmptyElement())
		return;
	int depth = 1;
	while (depth > 0 && reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT && !reader->isEmptyElement())
			++depth;
		else if (reader->getNodeType() == XML_NODE_ELEMENT_END)
			--depth;
	}
}
