#include "GParticleQuadMesh.h"

#include <initializer_list>

using namespace irr;

namespace
{
void setCornerUv(BatchVertex& vertex, u32 corner, const core::rectf& uv)
{
	vertex.u = corner == 0 || corner == 3 ? uv.UpperLeftCorner.X : uv.LowerRightCorner.X;
	vertex.v = corner < 2 ? uv.UpperLeftCorner.Y : uv.LowerRightCorner.Y;
}
} // namespace

void GParticleQuadMesh::ensureQuads(u32 count, const core::rectf& uv)
{
	while (vertices.size() < 4 * count)
	{
		BatchVertex vertex{0.0f, 0.0f, 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f};
		setCornerUv(vertex, vertices.size() % 4, uv);
		vertices.push_back(vertex);
	}
	while (indices.size() < 6 * count)
	{
		const u16 base = static_cast<u16>(4 * (indices.size() / 6));
		for (u16 offset : {0, 1, 2, 0, 2, 3})
			indices.push_back(static_cast<u16>(base + offset));
	}
}

void GParticleQuadMesh::setTextureRect(const core::rectf& uv)
{
	for (u32 i = 0; i < vertices.size(); ++i)
		setCornerUv(vertices[i], i % 4, uv);
}

void GParticleQuadMesh::setQuad(u32 k, const core::vector2df& centre, const core::vector2df& c0,
                                const core::vector2df& c1, video::SColor colour)
{
	const core::vector2df corners[4] = {centre + c0, centre + c1, centre - c0, centre - c1};
	for (u32 i = 0; i < 4; ++i)
	{
		BatchVertex& vertex = vertices[4 * k + i];
		vertex.x = corners[i].X;
		vertex.y = corners[i].Y;
		vertex.color = colour.color;
	}
}
