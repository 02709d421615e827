#pragma once

#include "core/CPropertyCollection.h"
#include "core/SmartPointer.h"

// The value stored under a name when the collection has the name (the value may still be null).
inline bool lookUpProperty(const CPropertyCollection& collection, const char* name, SmartPointer<IPropertyData>& value)
{
	const int index = collection.indexOf(name);
	if (index < 0)
		return false;
	value = collection.getDataAt(index);
	return true;
}
