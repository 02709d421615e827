#include "CPropertyDataStringW.h"

#include "TextUtils.h"

const irr::core::stringw& CPropertyDataStringW::typeName() const
{
	static const irr::core::stringw name(L"stringw");
	return name;
}

const irr::core::stringw& CPropertyDataStringW::className() const
{
	static const irr::core::stringw name(L"CPropertyDataStringW");
	return name;
}

int CPropertyDataStringW::typeId() const
{
	return PROPERTY_STRINGW;
}

bool CPropertyDataStringW::isKindOf(int id) const
{
	return id == PROPERTY_STRINGW || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataStringW::clone() const
{
	return new CPropertyDataStringW(value);
}

irr::core::stringc CPropertyDataStringW::toString() const
{
	return narrow(value);
}

irr::core::stringw CPropertyDataStringW::toStringW() const
{
	return value;
}

void CPropertyDataStringW::fromString(const irr::core::stringc& text)
{
	value = widen(text);
}

void CPropertyDataStringW::fromStringW(const irr::core::stringw& text)
{
	value = text;
}

bool CPropertyDataStringW::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataStringW&>(other).value == value;
}

bool CPropertyDataStringW::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out) || t < 1.0f)
		return false;
	static_cast<CPropertyDataStringW&>(out).value = static_cast<const CPropertyDataStringW&>(to).value;
	return true;
}
