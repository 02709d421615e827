#pragma once

#include "scene/PropertyTable.h"

#include <irrlicht/SColor.h>
#include <irrlicht/vector2d.h>

class BaseNode;
class CPropertyCollection;
class IPropertyOwner;

// Helpers shared by the effect nodes: their random draws, their fade and their property chores.

// low + (high - low) x a multiply-with-carry float; a reversed range still gives a value between its ends.
float randomInEffectRange(const irr::core::vector2df& range);
// An integer of [low, high) from the truncated ends, taken in order so a reversed range stays inside;
// the lower end without a draw when they are equal.
int randomIntInEffectRange(const irr::core::vector2df& range);

// Over the last second of a life the tint's alpha falls to 0; the colour channels stay.
void fadeOutLastSecond(BaseNode* node, int remainingMs);
// The node leaves its parent; it is destroyed when that was its last reference.
void removeFromParent(BaseNode* node);

// Sets each entry of table from index first on whose name the collection holds a value.
void readTableProperties(IPropertyOwner* owner, const CPropertyCollection& collection, const PropertyTable& table,
                         size_t first);
// Adds the range unless it is (0, 0).
void writeRangeProperty(CPropertyCollection& collection, const char* name, const irr::core::vector2df& range);
// Adds the number unless it is 0.
void writeIntProperty(CPropertyCollection& collection, const char* name, int value);

// Plays a sound cue through the device's sound manager, when there is one.
void playEffectCue(const char* name);
