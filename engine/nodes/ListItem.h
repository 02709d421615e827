#pragma once

#include "content/AtlasTexture.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <vector>

// One row of a list: its texts, pictures, look and state, and the game's own object.
// Copies hold their own references to the frames and the object.
struct ListItem
{
	irr::core::array<irr::core::stringw> texts;
	std::vector<SmartPointer<AtlasTexture>> frames;
	StringId templateName;
	bool checked = false;
	bool enabled = true;
	SmartPointer<ReferenceCounted> object;
};
