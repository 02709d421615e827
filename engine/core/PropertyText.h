#pragma once

#include <irrlicht/irrString.h>
#include <irrlicht/irrTypes.h>

// Text forms shared by the property value types.

// printf "%f": fixed notation with six digits after the point.
irr::core::stringc formatPropertyFloat(float value);
// Each number "%f", joined by ";".
irr::core::stringc formatPropertyFloats(const float* values, int count);
// Leading white space, an optional sign and decimal digits; no digits give 0.
int readPropertyInt(const char* text);
// Optional white space, then up to eight hexadecimal digits; no digits give 0.
irr::u32 readPropertyHex(const char* text);
irr::u32 readPropertyHexW(const wchar_t* text);
// Truncates toward zero and clamps to the int range (NaN gives 0).
int truncateToInt(double value);
