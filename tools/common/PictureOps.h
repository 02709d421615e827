#pragma once

#include <irrlicht/IImage.h>
#include <irrlicht/rect.h>

// The smallest rectangle holding every pixel with alpha above zero; empty (0,0,0,0) for a clear picture.
irr::core::recti findOpaqueBounds(irr::video::IImage* image);

// Copies `source` (a rectangle of `from`) to (x, y) of `to` and repeats its edge pixels `extrude` times
// around it, so filtered sampling at the frame's border does not blend in a neighbour.
void copyExtruded(irr::video::IImage* from, const irr::core::recti& source, irr::video::IImage* to, int x, int y,
                  int extrude);
