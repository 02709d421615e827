#include "CPropertyDataInt.h"

#include "PropertyText.h"

#include <cmath>
#include <cstdio>

const irr::core::stringw& CPropertyDataInt::typeName() const
{
	static const irr::core::stringw name(L"int");
	return name;
}

const irr::core::stringw& CPropertyDataInt::className() const
{
	static const irr::core::stringw name(L"CPropertyDataInt");
	return name;
}

int CPropertyDataInt::typeId() const
{
	return PROPERTY_INT;
}

bool CPropertyDataInt::isKindOf(int id) const
{
	return id == PROPERTY_INT || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataInt::clone() const
{
	return new CPropertyDataInt(value);
}

irr::core::stringc CPropertyDataInt::toString() const
{
	char buffer[16];
	std::snprintf(buffer, sizeof(buffer), "%d", value);
	return irr::core::stringc(buffer);
}

void CPropertyDataInt::fromString(const irr::core::stringc& text)
{
	value = readPropertyInt(text.c_str());
}

bool CPropertyDataInt::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataInt&>(other).value == value;
}

bool CPropertyDataInt::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	const double span = static_cast<double>(static_cast<const CPropertyDataInt&>(to).value) - value;
	const double step = std::trunc(span * static_cast<double>(t));
	static_cast<CPropertyDataInt&>(out).value = truncateToInt(static_cast<double>(value) + step);
	return true;
}
