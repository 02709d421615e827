#include "CPropertyDataVector3d.h"

#include "NumberText.h"
#include "PropertyText.h"

const irr::core::stringw& CPropertyDataVector3d::typeName() const
{
	static const irr::core::stringw name(L"vector3d");
	return name;
}

const irr::core::stringw& CPropertyDataVector3d::className() const
{
	static const irr::core::stringw name(L"CPropertyDataVector3d");
	return name;
}

int CPropertyDataVector3d::typeId() const
{
	return PROPERTY_VECTOR3D;
}

bool CPropertyDataVector3d::isKindOf(int id) const
{
	return id == PROPERTY_VECTOR3D || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataVector3d::clone() const
{
	return new CPropertyDataVector3d(value);
}

irr::core::stringc CPropertyDataVector3d::toString() const
{
	const float components[3] = {value.X, value.Y, value.Z};
	return formatPropertyFloats(components, 3);
}

void CPropertyDataVector3d::fromString(const irr::core::stringc& text)
{
	value = parseVector3d(text.c_str());
}

void CPropertyDataVector3d::fromStringW(const irr::core::stringw& text)
{
	value = parseVector3dW(text.c_str());
}

namespace
{
bool nearlyEqual(float a, float b)
{
	const float tolerance = 0.000001f;
	return a - tolerance <= b && b <= a + tolerance;
}
} // namespace

bool CPropertyDataVector3d::equals(const IPropertyData& other) const
{
	if (!isSameType(other))
		return false;
	const irr::core::vector3df& o = static_cast<const CPropertyDataVector3d&>(other).value;
	return nearlyEqual(value.X, o.X) && nearlyEqual(value.Y, o.Y) && nearlyEqual(value.Z, o.Z);
}

bool CPropertyDataVector3d::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	const irr::core::vector3df& target = static_cast<const CPropertyDataVector3d&>(to).value;
	static_cast<CPropertyDataVector3d&>(out).value = irr::core::vector3df(
	    value.X + (target.X - value.X) * t, value.Y + (target.Y - value.Y) * t, value.Z + (target.Z - value.Z) * t);
	return true;
}
