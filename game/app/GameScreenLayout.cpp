#include "GameScreenLayout.h"

#include <cstdint>
#include <cstdlib>

namespace
{
// Ceiling of a / b for positive b and non-negative a.
std::int64_t divideRoundingUp(std::int64_t a, std::int64_t b)
{
	return (a + b - 1) / b;
}
} // namespace

GameScreenLayout computeGameScreenLayout(int width, int height)
{
	GameScreenLayout layout;
	const std::int64_t w = width > 0 ? width : 0;
	const std::int64_t h = height > 0 ? height : 0;
	layout.firstBar = irr::core::recti(0, 0, 0, static_cast<int>(h));
	layout.secondBar = irr::core::recti(static_cast<int>(w), 0, static_cast<int>(w), static_cast<int>(h));
	if (w == 0 || h == 0)
		return layout;

	// |w/h - 4/3| / (4/3) < 1/10, in exact integers: 10 |3w - 4h| < 4h. Exactly 10 % gets bars.
	const std::int64_t difference = std::llabs(3 * w - 4 * h);
	if (10 * difference < 4 * h)
	{
		layout.scaleX = static_cast<float>(static_cast<double>(w) / GameScreenLayout::VirtualWidth);
		layout.scaleY = static_cast<float>(static_cast<double>(h) / GameScreenLayout::VirtualHeight);
		return layout;
	}

	if (4 * h > 3 * w)
	{
		// Narrower than 4:3: full width, bars above and below. The picture is 3w/4 rows high; the
		// bottom bar starts past its last (possibly partial) row.
		const std::int64_t pictureRows = divideRoundingUp(3 * w, 4);
		const std::int64_t top = (h - pictureRows) / 2;
		const float scale = static_cast<float>(static_cast<double>(w) / GameScreenLayout::VirtualWidth);
		layout.offsetY = static_cast<int>(top);
		layout.scaleX = layout.scaleY = scale;
		layout.firstBar = irr::core::recti(0, 0, static_cast<int>(w), static_cast<int>(top));
		layout.secondBar =
		    irr::core::recti(0, static_cast<int>(top + pictureRows), static_cast<int>(w), static_cast<int>(h));
	}
	else
	{
		// Wider than 4:3: full height, bars left and right.
		const std::int64_t pictureColumns = divideRoundingUp(4 * h, 3);
		const std::int64_t left = (w - pictureColumns) / 2;
		const float scale = static_cast<float>(static_cast<double>(h) / GameScreenLayout::VirtualHeight);
		layout.offsetX = static_cast<int>(left);
		layout.scaleX = layout.scaleY = scale;
		layout.firstBar = irr::core::recti(0, 0, static_cast<int>(left), static_cast<int>(h));
		layout.secondBar =
		    irr::core::recti(static_cast<int>(left + pictureColumns), 0, static_cast<int>(w), static_cast<int>(h));
	}
	return layout;
}
