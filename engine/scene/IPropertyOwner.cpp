#include "IPropertyOwner.h"

void IPropertyOwner::writeProperties(CPropertyCollection&) const {}

void IPropertyOwner::readProperties(const CPropertyCollection&) {}

const PropertyTable& IPropertyOwner::propertyTable() const
{
	return rootPropertyTable();
}

bool IPropertyOwner::setPropertyByName(const char* name, const SmartPointer<IPropertyData>& value)
{
	const PropertyDescriptor* descriptor = findPropertyDescriptor(propertyTable(), name);
	if (!descriptor || !descriptor->setter)
		return false;
	descriptor->setter(this, value);
	return true;
}

SmartPointer<IPropertyData> IPropertyOwner::getPropertyByName(const char* name) const
{
	const PropertyDescriptor* descriptor = findPropertyDescriptor(propertyTable(), name);
	if (!descriptor || !descriptor->getter)
		return nullptr;
	return descriptor->getter(this);
}
