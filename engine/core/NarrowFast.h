#pragma once

#include <irrlicht/irrString.h>

// The same text as narrow gives, made in one allocation when the text is ASCII (names and
// property values nearly always are); other texts go through narrow.
irr::core::stringc narrowFast(const irr::core::stringw& text);
