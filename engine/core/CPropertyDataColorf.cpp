#include "CPropertyDataColorf.h"

#include "NumberText.h"
#include "PropertyText.h"

const irr::core::stringw& CPropertyDataColorf::typeName() const
{
	static const irr::core::stringw name(L"colorf");
	return name;
}

const irr::core::stringw& CPropertyDataColorf::className() const
{
	static const irr::core::stringw name(L"CPropertyDataColorf");
	return name;
}

int CPropertyDataColorf::typeId() const
{
	return PROPERTY_COLORF;
}

bool CPropertyDataColorf::isKindOf(int id) const
{
	return id == PROPERTY_COLORF || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataColorf::clone() const
{
	return new CPropertyDataColorf(value);
}

irr::core::stringc CPropertyDataColorf::toString() const
{
	const float components[4] = {value.r, value.g, value.b, value.a};
	return formatPropertyFloats(components, 4);
}

void CPropertyDataColorf::fromString(const irr::core::stringc& text)
{
	float components[4];
	parseFloat4(text.c_str(), components);
	value = irr::video::SColorf(components[0], components[1], components[2], components[3]);
}

bool CPropertyDataColorf::equals(const IPropertyData& other) const
{
	if (!isSameType(other))
		return false;
	const irr::video::SColorf& o = static_cast<const CPropertyDataColorf&>(other).value;
	return o.r == value.r && o.g == value.g && o.b == value.b && o.a == value.a;
}

bool CPropertyDataColorf::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	const irr::video::SColorf& target = static_cast<const CPropertyDataColorf&>(to).value;
	auto mix = [t](float a, float b) { return a * (1.0f - t) + b * t; };
	static_cast<CPropertyDataColorf&>(out).value = irr::video::SColorf(mix(value.r, target.r), mix(value.g, target.g),
	                                                                   mix(value.b, target.b), mix(value.a, target.a));
	return true;
}
