#include "DegreeTable.h"

#include <array>
#include <cmath>

namespace
{
const std::array<float, 360>& sineTable()
{
	static const std::array<float, 360> table = []
	{
		std::array<float, 360> values{};
		for (int k = 0; k < 360; ++k)
			values[k] = static_cast<float>(std::sin(k * 3.14159265358979323846 / 180.0));
		return values;
	}();
	return table;
}

int wrap(int degrees)
{
	const int k = degrees % 360;
	return k < 0 ? k + 360 : k;
}
} // namespace

float sinDegrees(int degrees)
{
	return sineTable()[wrap(degrees)];
}

float cosDegrees(int degrees)
{
	return sineTable()[wrap(wrap(degrees) + 90)];
}

int wholeDegrees(float angle)
{
	// fmod keeps the truncation defined for angles beyond the int range.
	const double reduced = std::fmod(static_cast<double>(angle), 360.0);
	if (std::isnan(reduced))
		return 0;
	return wrap(static_cast<int>(reduced));
}
