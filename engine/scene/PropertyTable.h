#pragma once

#include "core/IPropertyData.h"
#include "core/SmartPointer.h"

#include <initializer_list>
#include <irrlicht/irrString.h>
#include <vector>

class IPropertyOwner;

// Sets one property of an owner from a value (a value of another type reads as zero).
using PropertySetter = void (*)(IPropertyOwner* owner, const SmartPointer<IPropertyData>& value);
// A new value holding the owner's current value of one property.
using PropertyGetter = SmartPointer<IPropertyData> (*)(const IPropertyOwner* owner);

// One named, animatable property of a class.
struct PropertyDescriptor
{
	irr::core::stringc name;
	PropertySetter setter;
	PropertyGetter getter;
};

// A class's ordered property table: its base's entries first, then its own.
using PropertyTable = std::vector<PropertyDescriptor>;

// The empty table at the root of every chain.
const PropertyTable& rootPropertyTable();

// A copy of the base's table followed by the class's own entries.
PropertyTable appendPropertyDescriptors(const PropertyTable& base, std::initializer_list<PropertyDescriptor> entries);

// The entry of that name (the last one when a class redefines a base name), or null.
const PropertyDescriptor* findPropertyDescriptor(const PropertyTable& table, const char* name);
