#include "CPropertyDataVector2d.h"

#include "NumberText.h"
#include "PropertyText.h"

const irr::core::stringw& CPropertyDataVector2d::typeName() const
{
	static const irr::core::stringw name(L"vector2d");
	return name;
}

const irr::core::stringw& CPropertyDataVector2d::className() const
{
	static const irr::core::stringw name(L"CPropertyDataVector2d");
	return name;
}

int CPropertyDataVector2d::typeId() const
{
	return PROPERTY_VECTOR2D;
}

bool CPropertyDataVector2d::isKindOf(int id) const
{
	return id == PROPERTY_VECTOR2D || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataVector2d::clone() const
{
	return new CPropertyDataVector2d(value);
}

irr::core::stringc CPropertyDataVector2d::toString() const
{
	const float components[2] = {value.X, value.Y};
	return formatPropertyFloats(components, 2);
}

void CPropertyDataVector2d::fromString(const irr::core::stringc& text)
{
	value = parseVector2d(text.c_str());
}

bool CPropertyDataVector2d::equals(const IPropertyData& other) const
{
	if (!isSameType(other))
		return false;
	const irr::core::vector2df& o = static_cast<const CPropertyDataVector2d&>(other).value;
	return o.X == value.X && o.Y == value.Y;
}

bool CPropertyDataVector2d::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	const irr::core::vector2df& target = static_cast<const CPropertyDataVector2d&>(to).value;
	static_cast<CPropertyDataVector2d&>(out).value =
	    irr::core::vector2df(value.X + (target.X - value.X) * t, value.Y + (target.Y - value.Y) * t);
	return true;
}
