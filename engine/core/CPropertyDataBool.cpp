#include "CPropertyDataBool.h"

const irr::core::stringw& CPropertyDataBool::typeName() const
{
	static const irr::core::stringw name(L"bool");
	return name;
}

const irr::core::stringw& CPropertyDataBool::className() const
{
	static const irr::core::stringw name(L"CPropertyDataBool");
	return name;
}

int CPropertyDataBool::typeId() const
{
	return PROPERTY_BOOL;
}

bool CPropertyDataBool::isKindOf(int id) const
{
	return id == PROPERTY_BOOL || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataBool::clone() const
{
	return new CPropertyDataBool(value);
}

irr::core::stringc CPropertyDataBool::toString() const
{
	return value ? "true" : "false";
}

void CPropertyDataBool::fromString(const irr::core::stringc& text)
{
	value = text == "true";
}

bool CPropertyDataBool::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataBool&>(other).value == value;
}

bool CPropertyDataBool::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	// Switches only at the very end of the span.
	const bool result = t == 1.0f ? static_cast<const CPropertyDataBool&>(to).value : value;
	bool& target = static_cast<CPropertyDataBool&>(out).value;
	const bool changed = target != result;
	target = result;
	return changed;
}
