#pragma once

#include "content/BatchTypes.h"

#include <irrlicht/SColor.h>
#include <irrlicht/irrArray.h>
#include <irrlicht/rect.h>
#include <irrlicht/vector2d.h>

// The one mesh the effect particle nodes draw all their particles with: four vertices and six 16-bit
// indices a quad. It only grows; texture coordinates are written once per vertex.
class GParticleQuadMesh
{
public:
	// Room for count quads; new vertices get the frame's texture coordinates.
	void ensureQuads(irr::u32 count, const irr::core::rectf& uv);
	// Rewrites the texture coordinates of every vertex (after a change of frame).
	void setTextureRect(const irr::core::rectf& uv);
	// Quad k around centre: corners centre + c0, centre + c1, centre - c0, centre - c1.
	void setQuad(irr::u32 k, const irr::core::vector2df& centre, const irr::core::vector2df& c0,
	             const irr::core::vector2df& c1, irr::video::SColor colour);
	void setQuadCount(irr::u32 count) { primitiveCount = 2 * count; }

	irr::u32 getPrimitiveCount() const { return primitiveCount; }
	const irr::core::array<BatchVertex>& getVertices() const { return vertices; }
	const irr::core::array<irr::u16>& getIndices() const { return indices; }

private:
	irr::core::array<BatchVertex> vertices;
	irr::core::array<irr::u16> indices;
	irr::u32 primitiveCount = 0; // triangles to draw
};
