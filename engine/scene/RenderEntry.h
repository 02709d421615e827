#pragma once

#include <irrlicht/irrArray.h>
#include <irrlicht/irrTypes.h>

class BaseNode;

// One drawable item of a frame: the node draws itself when its entry comes up.
struct RenderEntry
{
	BaseNode* node;
	float depth;
	irr::u32 key;
};

// Rebuilt every frame; sorted by depth then key when the scene manager sorts.
using RenderList = irr::core::array<RenderEntry>;
