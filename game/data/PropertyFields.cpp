#include "PropertyFields.h"

#include "core/CPropertyCollection.h"
#include "core/CPropertyDataVector2d.h"

namespace
{
template <class T> void takeChecked(double value, T& field, NumberRange range, const char* name, bool* ok)
{
	if (isNumberInRange(value, range, name))
		field = static_cast<T>(value);
	else if (ok)
		*ok = false;
}
} // namespace

void takeIntProperty(const CPropertyCollection& properties, const char* name, int& field, NumberRange range, bool* ok)
{
	if (properties.indexOf(name) >= 0)
		takeChecked(properties.getInt(name), field, range, name, ok);
}

void takeFloatProperty(const CPropertyCollection& properties, const char* name, float& field, NumberRange range,
                       bool* ok)
{
	if (properties.indexOf(name) >= 0)
		takeChecked(properties.getFloat(name), field, range, name, ok);
}

void takeVector2dProperty(const CPropertyCollection& properties, const char* name, irr::core::vector2df& field,
                          NumberRange range)
{
	if (properties.indexOf(name) < 0)
		return;
	const SmartPointer<IPropertyData> value = properties.get(name);
	const CPropertyDataVector2d* vector = value && value->typeId() == PROPERTY_VECTOR2D
	                                          ? static_cast<const CPropertyDataVector2d*>(value.get())
	                                          : nullptr;
	const irr::core::vector2df read = vector ? vector->getValue() : irr::core::vector2df(0.0f, 0.0f);
	if (isNumberInRange(read.X, range, name) && isNumberInRange(read.Y, range, name))
		field = read;
}

void takeTextProperty(const CPropertyCollection& properties, const char* name, irr::core::stringc& field)
{
	if (properties.indexOf(name) >= 0)
		field = properties.getString(name);
}

void takeWideTextProperty(const CPropertyCollection& properties, const char* name, irr::core::stringw& field)
{
	if (properties.indexOf(name) < 0)
		return;
	const SmartPointer<IPropertyData> value = properties.get(name);
	field = value ? value->toStringW() : irr::core::stringw();
}

void takeNameProperty(const CPropertyCollection& properties, const char* name, StringId& field)
{
	if (properties.indexOf(name) < 0)
		return;
	const irr::core::stringc text = properties.getString(name);
	field = text.empty() ? StringId() : internStringId(text);
}
