#include "PictureOps.h"

#include <algorithm>

irr::core::recti findOpaqueBounds(irr::video::IImage* image)
{
	const irr::core::dimension2du size = image->getDimension();
	int left = static_cast<int>(size.Width), top = static_cast<int>(size.Height), right = 0, bottom = 0;
	for (irr::u32 y = 0; y < size.Height; ++y)
		for (irr::u32 x = 0; x < size.Width; ++x)
			if (image->getPixel(x, y).getAlpha() > 0)
			{
				left = std::min(left, static_cast<int>(x));
				top = std::min(top, static_cast<int>(y));
				right = std::max(right, static_cast<int>(x) + 1);
				bottom = std::max(bottom, static_cast<int>(y) + 1);
			}
	if (right == 0)
		return irr::core::recti(0, 0, 0, 0);
	return irr::core::recti(left, top, right, bottom);
}

void copyExtruded(irr::video::IImage* from, const irr::core::recti& source, irr::video::IImage* to, int x, int y,
                  int extrude)
{
	const int width = source.getWidth();
	const int height = source.getHeight();
	if (width <= 0 || height <= 0)
		return;
	const irr::core::dimension2du target = to->getDimension();
	for (int dy = -extrude; dy < height + extrude; ++dy)
		for (int dx = -extrude; dx < width + extrude; ++dx)
		{
			const int tx = x + dx;
			const int ty = y + dy;
			if (tx < 0 || ty < 0 || tx >= static_cast<int>(target.Width) || ty >= static_cast<int>(target.Height))
				continue;
			const int sx = source.UpperLeftCorner.X + std::clamp(dx, 0, width - 1);
			const int sy = source.UpperLeftCorner.Y + std::clamp(dy, 0, height - 1);
			to->setPixel(static_cast<irr::u32>(tx), static_cast<irr::u32>(ty),
			             from->getPixel(static_cast<irr::u32>(sx), static_cast<irr::u32>(sy)));
		}
}
