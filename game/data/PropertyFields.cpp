#include "PropertyFields.h"

#include "core/CPropertyCollection.h"
#include "core/CPropertyDataVector2d.h"

void takeIntProperty(const CPropertyCollection& properties, const char* name, int& field)
{
	if (properties.indexOf(name) >= 0)
		field = properties.getInt(name);
}

void takeFloatProperty(const CPropertyCollection& properties, const char* name, float& field)
{
	if (properties.indexOf(name) >= 0)
		field = properties.getFloat(name);
}

void takeVector2dProperty(const CPropertyCollection& properties, const char* name, irr::core::vector2df& field)
{
	if (properties.indexOf(name) < 0)
		return;
	const SmartPointer<IPropertyData> value = properties.get(name);
	const CPropertyDataVector2d* vector = value && value->typeId() == PROPERTY_VECTOR2D
	                                          ? static_cast<const CPropertyDataVector2d*>(value.get())
	                                          : nullptr;
	field = vector ? vector->getValue() : irr::core::vector2df(0.0f, 0.0f);
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
