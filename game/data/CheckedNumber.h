#pragma once

#include <irrlicht/vector2d.h>

class IXMLReader;

// The range a number of a configuration file or a profile may take.
struct NumberRange
{
	double low;
	double high;
};

namespace NumberRanges
{
// Money, prices, incomes, materials, workers, guests and times in ms: far past any level's economy, yet
// small enough that sums and products of a few of them stay finite and within an int.
constexpr NumberRange Amount{-1.0e9, 1.0e9};
// Level times and day lengths in seconds, which are turned into ms.
constexpr NumberRange Seconds{-1.0, 1.0e6};
// Scores and objective targets: never negative.
constexpr NumberRange Target{0.0, 1.0e9};
// Level numbers and map location indices.
constexpr NumberRange LevelIndex{-1.0, 1000.0};
// Places on the screen, well past its edges.
constexpr NumberRange ScreenPlace{-1.0e4, 1.0e4};
} // namespace NumberRanges

// The one gate through which the numbers of the game's configuration files and profiles pass: NaN,
// infinities and values outside the range are refused with the log line "Number out of range; the
// default is kept" (the hint names the value), and the fallback is given instead.
bool isNumberInRange(double value, NumberRange range, const char* name);
int checkedInt(double value, int fallback, NumberRange range, const char* name);
float checkedFloat(double value, float fallback, NumberRange range, const char* name);
// A pair (a position, a range) is taken whole or not at all: one refused number keeps the fallback pair.
template <class T>
irr::core::vector2d<T> checkedPair(const irr::core::vector2d<T>& value, const irr::core::vector2d<T>& fallback,
                                   NumberRange range, const char* name)
{
	return isNumberInRange(value.X, range, name) && isNumberInRange(value.Y, range, name) ? value : fallback;
}

// An attribute through the gate; absent, it gives the fallback without a word. ok, when given, turns
// false when a present value is refused.
int readIntAttribute(const IXMLReader* reader, const wchar_t* name, int fallback,
                     NumberRange range = NumberRanges::Amount, bool* ok = nullptr);
float readFloatAttribute(const IXMLReader* reader, const wchar_t* name, float fallback,
                         NumberRange range = NumberRanges::Amount, bool* ok = nullptr);
