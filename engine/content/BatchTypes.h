#pragma once

#include <irrlicht/EPrimitiveTypes.h>
#include <irrlicht/irrTypes.h>

namespace irr
{
namespace video
{
struct SMaterial;
}
} // namespace irr

// One corner of a 2-D quad or mesh: screen pixels (y down), depth, ARGB colour, texture coordinate.
struct BatchVertex
{
	float x;
	float y;
	float z;
	irr::u32 color;
	float u;
	float v;
};

// A quad as sprites, nine-grid patches and texts keep it: corners in drawing order 0,1,2 / 0,2,3.
struct QuadRecord
{
	const irr::video::SMaterial* material;
	BatchVertex vertices[4];
};

// A piece of indexed 2-D geometry for the batcher (particles and other shapes).
struct BatchMesh
{
	const irr::video::SMaterial* material;
	irr::scene::E_PRIMITIVE_TYPE primitiveType;
	irr::u32 primitiveCount;
	const BatchVertex* vertices;
	irr::u32 vertexCount;
	const irr::u16* indices;
	irr::u32 indexCount;
};
