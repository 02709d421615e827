#include "FlatShapeDrawing.h"

#include "content/CQuadBatcher.h"

#include <irrlicht/IVideoDriver.h>
#include <irrlicht/irrArray.h>

using namespace irr;

video::SMaterial flatShapeMaterial()
{
	video::SMaterial material;
	material.MaterialType = video::EMT_TRANSPARENT_VERTEX_ALPHA;
	material.Lighting = false;
	material.ZBuffer = video::ECFN_NEVER;
	material.ZWriteEnable = false;
	material.BackfaceCulling = false;
	return material;
}

video::S3DVertex flatVertex(f32 x, f32 y, video::SColor colour)
{
	return video::S3DVertex(x, y, 0.0f, 0.0f, 0.0f, 1.0f, colour, 0.0f, 0.0f);
}

void beginFlatShape(video::IVideoDriver* driver, const video::SMaterial& material, const core::matrix4& transformation)
{
	CQuadBatcher::forDriver(driver)->flush();
	driver->setMaterial(material);
	core::matrix4 world = transformation;
	world[14] = 0.0f;
	driver->setTransform(video::ETS_WORLD, world);
}

void drawFlatFan(video::IVideoDriver* driver, const video::S3DVertex* vertices, u32 count)
{
	if (count < 3)
		return;
	core::array<u16> indices;
	indices.reallocate(count);
	for (u32 i = 0; i < count; ++i)
		indices.push_back(static_cast<u16>(i));
	driver->drawVertexPrimitiveList(vertices, count, indices.const_pointer(), count - 2, video::EVT_STANDARD,
	                                scene::EPT_TRIANGLE_FAN, video::EIT_16BIT);
}
