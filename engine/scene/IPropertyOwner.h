#pragma once

#include "PropertyTable.h"

class CPropertyCollection;

// An object whose named properties can be read and written by name and as a collection.
class IPropertyOwner
{
public:
	virtual ~IPropertyOwner() = default;

	// Adds the values that differ from the class's defaults.
	virtual void writeProperties(CPropertyCollection& collection) const;
	// Reads the names the class knows; absent names leave the fields unchanged.
	virtual void readProperties(const CPropertyCollection& collection);

	// The class's table of {name, setter, getter}; the root table for plain owners.
	virtual const PropertyTable& propertyTable() const;

	// False when the class has no property of that name.
	bool setPropertyByName(const char* name, const SmartPointer<IPropertyData>& value);
	// Null when the class has no property of that name.
	SmartPointer<IPropertyData> getPropertyByName(const char* name) const;
};
