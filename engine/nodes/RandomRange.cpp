#include "RandomRange.h"

#include "core/Random.h"

#include <climits>
#include <cmath>

float randomInRange(float min, float max)
{
	return Random::instance()->nextFloatInRange(min, max);
}

float randomInRange(const irr::core::vector2df& range)
{
	return randomInRange(range.X, range.Y);
}

int truncateToInt(float value)
{
	if (std::isnan(value))
		return 0;
	if (value >= 2147483520.0f)
		return INT_MAX;
	if (value <= -2147483648.0f)
		return INT_MIN;
	return static_cast<int>(value);
}
