#pragma once

#include <irrlicht/S3DVertex.h>
#include <irrlicht/SMaterial.h>
#include <irrlicht/matrix4.h>

namespace irr::video
{
class IVideoDriver;
}

// Drawing steps shared by the game's flat shape nodes (rectangle, ellipse sector, selection grid): plain
// coloured vertices drawn between the quad batcher's batches.

// Vertex colour and alpha, no lighting, no depth test or write, both faces.
irr::video::SMaterial flatShapeMaterial();

// A vertex at (x, y) of that colour.
irr::video::S3DVertex flatVertex(irr::f32 x, irr::f32 y, irr::video::SColor colour);

// Flushes the quad batcher, then sets the material and the world transformation without its depth: depth
// orders the render list only, the batcher's projection keeps every layer on screen at 0.
void beginFlatShape(irr::video::IVideoDriver* driver, const irr::video::SMaterial& material,
                    const irr::core::matrix4& transformation);

// Draws the vertices (three at the least) as one triangle fan.
void drawFlatFan(irr::video::IVideoDriver* driver, const irr::video::S3DVertex* vertices, irr::u32 count);
