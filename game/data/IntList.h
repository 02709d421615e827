#pragma once

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

// The ";"-separated number lists of the profiles ("Scores", "Times", "AchievementsProgress").

// Every number of the text in order: a number starts at '-' or a digit, any other character separates.
// Numbers are read as integers, so every digit counts; a fraction is cut off, an exponent applied, and
// values beyond the 32-bit range are clamped to it.
irr::core::array<irr::s32> parseIntList(const char* text);
irr::core::array<irr::s32> parseIntList(const irr::core::stringc& text);

// The values in decimal, joined by ";"; the empty text for no values.
irr::core::stringc joinIntList(const irr::core::array<irr::s32>& values);
