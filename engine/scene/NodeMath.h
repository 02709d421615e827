#pragma once

#include <irrlicht/SColor.h>
#include <irrlicht/matrix4.h>
#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>

// Colour, matrix and rotation helpers shared by nodes and the game.

// Per channel a x b / 255, truncated; white leaves the other colour unchanged.
irr::video::SColor multiplyColors(irr::video::SColor a, irr::video::SColor b);

// The diagonal when the matrix has no rotation terms, otherwise the lengths of the first three rows.
irr::core::vector3df getMatrixScale(const irr::core::matrix4& m);

// A shared identity matrix.
const irr::core::matrix4& identityMatrix();

// Rotates by whole degrees using a table of sines (any integer angle).
irr::core::vector2df rotateByWholeDegrees(const irr::core::vector2df& v, int degrees);

// True when every entry is within 1e-6 of the identity's.
bool isNearIdentity(const irr::core::matrix4& m);

// parent x relative restricted to the 2-D affine terms; depths (m[14]) add up.
// Entries outside those terms keep the values they had in out.
void composeTransform2d(const irr::core::matrix4& parent, const irr::core::matrix4& relative, irr::core::matrix4& out);

// Maps a screen point into the space of the matrix; false (point unchanged) when the 2-D part cannot be inverted.
bool inverseTransformPoint2d(const irr::core::matrix4& m, irr::core::vector2df& point);
