#include "CPropertyDataFloat.h"

#include "NumberText.h"
#include "PropertyText.h"

const irr::core::stringw& CPropertyDataFloat::typeName() const
{
	static const irr::core::stringw name(L"float");
	return name;
}

const irr::core::stringw& CPropertyDataFloat::className() const
{
	static const irr::core::stringw name(L"CPropertyDataFloat");
	return name;
}

int CPropertyDataFloat::typeId() const
{
	return PROPERTY_FLOAT;
}

bool CPropertyDataFloat::isKindOf(int id) const
{
	return id == PROPERTY_FLOAT || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataFloat::clone() const
{
	return new CPropertyDataFloat(value);
}

irr::core::stringc CPropertyDataFloat::toString() const
{
	return formatPropertyFloat(value);
}

void CPropertyDataFloat::fromString(const irr::core::stringc& text)
{
	narrowToFloat(text.c_str(), value);
}

bool CPropertyDataFloat::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataFloat&>(other).value == value;
}

bool CPropertyDataFloat::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	const float target = static_cast<const CPropertyDataFloat&>(to).value;
	static_cast<CPropertyDataFloat&>(out).value = value + (target - value) * t;
	return true;
}
