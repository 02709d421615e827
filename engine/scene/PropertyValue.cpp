#include "PropertyValue.h"

#include "core/CPropertyDataBool.h"
#include "core/CPropertyDataColor.h"
#include "core/CPropertyDataFloat.h"
#include "core/CPropertyDataInt.h"
#include "core/CPropertyDataString.h"
#include "core/CPropertyDataVector2d.h"
#include "core/CPropertyDataVector3d.h"

using namespace irr;

namespace
{
template <class T> const T* valueOfType(const IPropertyData* value, int typeId)
{
	return value && value->typeId() == typeId ? static_cast<const T*>(value) : nullptr;
}
} // namespace

bool propertyAsBool(const IPropertyData* value)
{
	const auto* v = valueOfType<CPropertyDataBool>(value, PROPERTY_BOOL);
	return v && v->getValue();
}

int propertyAsInt(const IPropertyData* value)
{
	const auto* v = valueOfType<CPropertyDataInt>(value, PROPERTY_INT);
	return v ? v->getValue() : 0;
}

float propertyAsFloat(const IPropertyData* value)
{
	const auto* v = valueOfType<CPropertyDataFloat>(value, PROPERTY_FLOAT);
	return v ? v->getValue() : 0.0f;
}

video::SColor propertyAsColor(const IPropertyData* value)
{
	const auto* v = valueOfType<CPropertyDataColor>(value, PROPERTY_COLOR);
	return v ? v->getValue() : video::SColor(0);
}

core::vector2df propertyAsVector2d(const IPropertyData* value)
{
	const auto* v = valueOfType<CPropertyDataVector2d>(value, PROPERTY_VECTOR2D);
	return v ? v->getValue() : core::vector2df(0.0f, 0.0f);
}

core::vector3df propertyAsVector3d(const IPropertyData* value)
{
	const auto* v = valueOfType<CPropertyDataVector3d>(value, PROPERTY_VECTOR3D);
	return v ? v->getValue() : core::vector3df(0.0f, 0.0f, 0.0f);
}

core::stringc propertyAsText(const IPropertyData* value)
{
	return value ? value->toString() : core::stringc();
}

SmartPointer<IPropertyData> makeBoolValue(bool value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataBool(value));
}

SmartPointer<IPropertyData> makeIntValue(int value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataInt(value));
}

SmartPointer<IPropertyData> makeFloatValue(float value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataFloat(value));
}

SmartPointer<IPropertyData> makeColorValue(video::SColor value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataColor(value));
}

SmartPointer<IPropertyData> makeVector2dValue(const core::vector2df& value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataVector2d(value));
}

SmartPointer<IPropertyData> makeVector3dValue(const core::vector3df& value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataVector3d(value));
}

SmartPointer<IPropertyData> makeStringValue(const core::stringc& value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataString(value));
}
