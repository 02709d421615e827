#pragma once

#include <irrlicht/vector2d.h>

// rnd(min, max) of emitters and spawners: the range operation of the multiply-with-carry
// generator (min without a step when the range is empty).
float randomInRange(float min, float max);
float randomInRange(const irr::core::vector2df& range);

// A float truncated towards zero and clamped into the int range (0 for NaN).
int truncateToInt(float value);
