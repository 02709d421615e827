#pragma once

#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>

// Reading numbers from narrow and wide text, as the property values, the XML
// reader and the game's attribute texts do.

// Reads one number; returns the position after it (null for a null text, out = 0).
const wchar_t* wideToFloat(const wchar_t* text, float& out);
const char* narrowToFloat(const char* text, float& out);

// Optionally signed decimal integer, saturating at 2147483647; end gets the position after it.
int wideToInt(const wchar_t* text, const wchar_t** end = nullptr);
int narrowToInt(const char* text, const char** end = nullptr);

// The number reader's value truncated toward zero and held to the int range: "1e3" gives 1000,
// "3.9" gives 3, "+5" gives 0 (a leading "+" is not part of a number); a null text gives 0.
int wideNumberToInt(const wchar_t* text);
int narrowNumberToInt(const char* text);

// The first two, three or four numbers of a text; any other characters separate them.
irr::core::vector2df parseVector2dW(const wchar_t* text);
irr::core::vector3df parseVector3dW(const wchar_t* text);
void parseFloat4W(const wchar_t* text, float out[4]);
irr::core::vector2df parseVector2d(const char* text);
irr::core::vector3df parseVector3d(const char* text);
void parseFloat4(const char* text, float out[4]);

// Scans up to count numbers into out (missing ones 0); returns how many were found.
int scanNumbers(const char* text, float* out, int count);
int scanNumbersW(const wchar_t* text, float* out, int count);
