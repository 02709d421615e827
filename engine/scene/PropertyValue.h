#pragma once

#include "core/IPropertyData.h"
#include "core/SmartPointer.h"

#include <irrlicht/SColor.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>

// Reading and making property values for node property setters and getters.
// A missing value or one of another type reads as zero (false, 0, empty).

bool propertyAsBool(const IPropertyData* value);
int propertyAsInt(const IPropertyData* value);
float propertyAsFloat(const IPropertyData* value);
irr::video::SColor propertyAsColor(const IPropertyData* value);
irr::core::vector2df propertyAsVector2d(const IPropertyData* value);
irr::core::vector3df propertyAsVector3d(const IPropertyData* value);
// The text of a value of any type; empty for none.
irr::core::stringc propertyAsText(const IPropertyData* value);

SmartPointer<IPropertyData> makeBoolValue(bool value);
SmartPointer<IPropertyData> makeIntValue(int value);
SmartPointer<IPropertyData> makeFloatValue(float value);
SmartPointer<IPropertyData> makeColorValue(irr::video::SColor value);
SmartPointer<IPropertyData> makeVector2dValue(const irr::core::vector2df& value);
SmartPointer<IPropertyData> makeVector3dValue(const irr::core::vector3df& value);
SmartPointer<IPropertyData> makeStringValue(const irr::core::stringc& value);
