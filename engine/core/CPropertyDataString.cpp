#include "CPropertyDataString.h"

const irr::core::stringw& CPropertyDataString::typeName() const
{
	static const irr::core::stringw name(L"string");
	return name;
}

const irr::core::stringw& CPropertyDataString::className() const
{
	static const irr::core::stringw name(L"CPropertyDataString");
	return name;
}

int CPropertyDataString::typeId() const
{
	return PROPERTY_STRING;
}

bool CPropertyDataString::isKindOf(int id) const
{
	return id == PROPERTY_STRING || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataString::clone() const
{
	return new CPropertyDataString(value);
}

irr::core::stringc CPropertyDataString::toString() const
{
	return value;
}

void CPropertyDataString::fromString(const irr::core::stringc& text)
{
	value = text;
}

bool CPropertyDataString::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataString&>(other).value == value;
}

bool CPropertyDataString::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out) || t < 1.0f)
		return false;
	static_cast<CPropertyDataString&>(out).value = static_cast<const CPropertyDataString&>(to).value;
	return true;
}
