#include "NineGridLayout.h"

namespace
{
void splitAxis(float length, float lead, float trail, float frameStart, float frameEnd, irr::u32 texturePixels,
               float* edges, float* coordinates)
{
	edges[0] = 0.0f;
	edges[1] = lead;
	edges[2] = length - trail;
	edges[3] = length;
	const float pixels = static_cast<float>(texturePixels);
	coordinates[0] = frameStart;
	coordinates[1] = texturePixels ? frameStart + lead / pixels : frameStart;
	coordinates[2] = texturePixels ? frameEnd - trail / pixels : frameEnd;
	coordinates[3] = frameEnd;
}
} // namespace

NineGridLayout NineGridLayout::compute(const irr::core::vector2df& size, const irr::core::vector2df& topLeftDelta,
                                       const irr::core::vector2df& bottomRightDelta, const irr::core::rectf& frameRect,
                                       const irr::core::dimension2du& textureSize)
{
	NineGridLayout layout;
	splitAxis(size.X, topLeftDelta.X, bottomRightDelta.X, frameRect.UpperLeftCorner.X, frameRect.LowerRightCorner.X,
	          textureSize.Width, layout.x, layout.u);
	splitAxis(size.Y, topLeftDelta.Y, bottomRightDelta.Y, frameRect.UpperLeftCorner.Y, frameRect.LowerRightCorner.Y,
	          textureSize.Height, layout.y, layout.v);
	return layout;
}

irr::core::vector2df NineGridLayout::patchSize(int row, int column) const
{
	return irr::core::vector2df(x[column + 1] - x[column], y[row + 1] - y[row]);
}
