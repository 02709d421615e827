#pragma once

#include <irrlicht/irrString.h>

// Whether every character is ASCII and none is zero: such a text narrows to itself.
bool isPlainAscii(const irr::core::stringw& text);

// The same text as narrow gives, made in one allocation when the text is ASCII (names and
// property values nearly always are); other texts go through narrow.
irr::core::stringc narrowFast(const irr::core::stringw& text);
