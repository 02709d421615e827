#pragma once

#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>

// Text forms shared by the level data files: ranges, number lists and name lists.

// The pieces between separators, in order, empty pieces included ("" gives one empty piece).
irr::core::array<irr::core::stringc> splitText(const irr::core::stringc& text, char separator);

// The first two numbers of the text as (minimum, maximum); each starts at "-" or a digit, may carry a
// fraction and is truncated; other characters only separate them; a missing number is 0.
irr::core::vector2di parseIntRange(const wchar_t* text);

// Every number of the text (same rules as parseIntRange), truncated, in order.
irr::core::array<int> parseIntListW(const wchar_t* text);

// A ";"-separated list of names: pieces trimmed, empty pieces dropped.
irr::core::array<StringId> parseIdListW(const irr::core::stringw& text);

class IXMLReader;

// Skips the element the reader stands on with everything inside it; the reader then stands on its end.
void skipElement(IXMLReader* reader);

// Whether the list is empty or holds the id: the level data's "any, or one of these" test.
bool isEmptyOrContains(const irr::core::array<StringId>& list, StringId id);
