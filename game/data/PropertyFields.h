#pragma once

#include "CheckedNumber.h"
#include "core/StringId.h"

#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>

class CPropertyCollection;

// Copying the values of a configuration's Properties element into typed fields. An absent property
// leaves the field alone; a number or vector of another value type reads as zero. Numbers pass the gate of
// CheckedNumber.h: one out of its range leaves the field alone too. ok, when given, turns false then.
void takeIntProperty(const CPropertyCollection& properties, const char* name, int& field,
                     NumberRange range = NumberRanges::Amount, bool* ok = nullptr);
void takeFloatProperty(const CPropertyCollection& properties, const char* name, float& field,
                       NumberRange range = NumberRanges::Amount, bool* ok = nullptr);
void takeVector2dProperty(const CPropertyCollection& properties, const char* name, irr::core::vector2df& field,
                          NumberRange range = NumberRanges::Amount);
// Texts and names take the text form of a value of any type.
void takeTextProperty(const CPropertyCollection& properties, const char* name, irr::core::stringc& field);
void takeWideTextProperty(const CPropertyCollection& properties, const char* name, irr::core::stringw& field);
// An empty text is no name: the field becomes the invalid id.
void takeNameProperty(const CPropertyCollection& properties, const char* name, StringId& field);
