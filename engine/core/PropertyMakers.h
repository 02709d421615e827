#pragma once

#include "IPropertyData.h"
#include "StringId.h"

#include <irrlicht/SColor.h>
#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>

// Makers of property values: each returns a new value held by the pointer.
SmartPointer<IPropertyData> makeIntProperty(int value);
SmartPointer<IPropertyData> makeBoolProperty(bool value);
SmartPointer<IPropertyData> makeFloatProperty(float value);
SmartPointer<IPropertyData> makeColorProperty(const irr::video::SColor& value);
SmartPointer<IPropertyData> makeVector2dProperty(const irr::core::vector2df& value);
SmartPointer<IPropertyData> makeVector3dProperty(const irr::core::vector3df& value);
SmartPointer<IPropertyData> makeStringProperty(const irr::core::stringc& value);
// A "string" value holding the id's name.
SmartPointer<IPropertyData> makeStringPropertyFromId(StringId id);
SmartPointer<IPropertyData> makeStringWProperty(const irr::core::stringw& value);

// A copy of the value; null stays null.
SmartPointer<IPropertyData> clonePropertyData(const SmartPointer<IPropertyData>& value);

// Text of a value; a null value gives the empty text.
irr::core::stringc propertyToStringC(const SmartPointer<IPropertyData>& value);
irr::core::stringw propertyToStringW(const SmartPointer<IPropertyData>& value);
void getPropertyStringC(irr::core::stringc& result, const SmartPointer<IPropertyData>& value);
void getPropertyStringW(irr::core::stringw& result, const SmartPointer<IPropertyData>& value);
// Interns the narrow text.
StringId propertyToStringId(const SmartPointer<IPropertyData>& value);
