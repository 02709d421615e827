#include "PropertyMakers.h"

#include "CPropertyDataBool.h"
#include "CPropertyDataColor.h"
#include "CPropertyDataFloat.h"
#include "CPropertyDataInt.h"
#include "CPropertyDataString.h"
#include "CPropertyDataStringW.h"
#include "CPropertyDataVector2d.h"
#include "CPropertyDataVector3d.h"

SmartPointer<IPropertyData> makeIntProperty(int value)
{
	return new CPropertyDataInt(value);
}

SmartPointer<IPropertyData> makeBoolProperty(bool value)
{
	return new CPropertyDataBool(value);
}

SmartPointer<IPropertyData> makeFloatProperty(float value)
{
	return new CPropertyDataFloat(value);
}

SmartPointer<IPropertyData> makeColorProperty(const irr::video::SColor& value)
{
	return new CPropertyDataColor(value);
}

SmartPointer<IPropertyData> makeVector2dProperty(const irr::core::vector2df& value)
{
	return new CPropertyDataVector2d(value);
}

SmartPointer<IPropertyData> makeVector3dProperty(const irr::core::vector3df& value)
{
	return new CPropertyDataVector3d(value);
}

SmartPointer<IPropertyData> makeStringProperty(const irr::core::stringc& value)
{
	return new CPropertyDataString(value);
}

SmartPointer<IPropertyData> makeStringPropertyFromId(StringId id)
{
	return new CPropertyDataString(getStringById(id));
}

SmartPointer<IPropertyData> makeStringWProperty(const irr::core::stringw& value)
{
	return new CPropertyDataStringW(value);
}

SmartPointer<IPropertyData> clonePropertyData(const SmartPointer<IPropertyData>& value)
{
	return value ? value->clone() : SmartPointer<IPropertyData>();
}

irr::core::stringc propertyToStringC(const SmartPointer<IPropertyData>& value)
{
	return value ? value->toString() : irr::core::stringc();
}

irr::core::stringw propertyToStringW(const SmartPointer<IPropertyData>& value)
{
	return value ? value->toStringW() : irr::core::stringw();
}

void getPropertyStringC(irr::core::stringc& result, const SmartPointer<IPropertyData>& value)
{
	result = propertyToStringC(value);
}

void getPropertyStringW(irr::core::stringw& result, const SmartPointer<IPropertyData>& value)
{
	result = propertyToStringW(value);
}

StringId propertyToStringId(const SmartPointer<IPropertyData>& value)
{
	return internStringId(propertyToStringC(value));
}
