#pragma once

#include "StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>

// Shared empty strings returned by functions that give a name by reference.
const irr::core::stringc& emptyStringC();
const irr::core::stringw& emptyStringW();

irr::core::stringc concatNarrow(const char* literal, const irr::core::stringc& text);
irr::core::stringw concatWide(const wchar_t* literal, const irr::core::stringw& text);

// Whether the first length characters of both texts agree; for the short names of markup, where a
// loop in place beats a library call.
inline bool sameWideChars(const wchar_t* a, const wchar_t* b, size_t length)
{
	for (size_t i = 0; i < length; ++i)
	{
		if (a[i] != b[i])
			return false;
	}
	return true;
}

// Whether the text is exactly the literal: the length first, then the characters.
template <size_t N> bool isWideLiteral(const irr::core::stringw& text, const wchar_t (&literal)[N])
{
	return text.size() == N - 1 && sameWideChars(text.c_str(), literal, N - 1);
}

// Upper-cases a to z only.
void makeUpperW(irr::core::stringw& text);

// "mm:ss" with hours dropped.
irr::core::stringw formatMinutesSeconds(unsigned milliseconds);
// "mm:ss" with every whole minute counted, so an hour and two minutes reads "62:..".
irr::core::stringw formatTotalMinutesSeconds(unsigned milliseconds);

// Decimal text with the separator between groups of three digits.
irr::core::stringw formatThousands(int value, wchar_t separator);
// Decimal text of any int (the library's own int constructor overflows on the lowest value).
irr::core::stringw intToStringW(int value);

// Splits at ";", trims blanks and interns every non-empty piece in order.
irr::core::array<StringId> splitToIds(const char* text);

// Narrow text is UTF-8: names, keys and file names keep every character on their way from a
// file's wide text to the bytes of a file name and back. Narrow bytes that are not UTF-8 widen
// to escape characters that narrow back to the same bytes. Both take time linear in the text.
irr::core::stringw widen(const char* text);
irr::core::stringw widen(const irr::core::stringc& text);
irr::core::stringc narrow(const wchar_t* text);
irr::core::stringc narrow(const irr::core::stringw& text);
