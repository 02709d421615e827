#pragma once

#include <irrlicht/dimension2d.h>
#include <irrlicht/rect.h>
#include <irrlicht/vector2d.h>

// Column and row edges of a picture cut into three by three patches: the corners keep their
// pixel size, the edges stretch along one axis and the centre along both.
struct NineGridLayout
{
	// Node-space edges: x[0] = 0 ... x[3] = width; y likewise.
	float x[4];
	float y[4];
	// Texture coordinates of the same edges on the frame's page.
	float u[4];
	float v[4];

	// size: the node's Bounds; frameRect: the frame's texture rectangle; textureSize: the page
	// texture's size in pixels (a zero side leaves that axis's middle coordinates on the frame edge).
	static NineGridLayout compute(const irr::core::vector2df& size, const irr::core::vector2df& topLeftDelta,
	                              const irr::core::vector2df& bottomRightDelta, const irr::core::rectf& frameRect,
	                              const irr::core::dimension2du& textureSize);

	// Size in node space of the patch at (row, column), 0 to 2 each.
	irr::core::vector2df patchSize(int row, int column) const;
};
