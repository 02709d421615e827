#include "CPropertyDataRect.h"

#include "NumberText.h"
#include "PropertyText.h"

const irr::core::stringw& CPropertyDataRect::typeName() const
{
	static const irr::core::stringw name(L"rect");
	return name;
}

const irr::core::stringw& CPropertyDataRect::className() const
{
	static const irr::core::stringw name(L"CPropertyDataRect");
	return name;
}

int CPropertyDataRect::typeId() const
{
	return PROPERTY_RECT;
}

bool CPropertyDataRect::isKindOf(int id) const
{
	return id == PROPERTY_RECT || id == PROPERTY_NONE;
}

namespace
{
void toComponents(const irr::core::rectf& r, float out[4])
{
	out[0] = r.UpperLeftCorner.X;
	out[1] = r.UpperLeftCorner.Y;
	out[2] = r.LowerRightCorner.X;
	out[3] = r.LowerRightCorner.Y;
}
} // namespace

SmartPointer<IPropertyData> CPropertyDataRect::clone() const
{
	return new CPropertyDataRect(value);
}

irr::core::stringc CPropertyDataRect::toString() const
{
	float components[4];
	toComponents(value, components);
	return formatPropertyFloats(components, 4);
}

void CPropertyDataRect::fromString(const irr::core::stringc& text)
{
	float c[4];
	parseFloat4(text.c_str(), c);
	value = irr::core::rectf(c[0], c[1], c[2], c[3]);
}

bool CPropertyDataRect::equals(const IPropertyData& other) const
{
	if (!isSameType(other))
		return false;
	float a[4];
	float b[4];
	toComponents(value, a);
	toComponents(static_cast<const CPropertyDataRect&>(other).value, b);
	return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

bool CPropertyDataRect::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	float a[4];
	float b[4];
	toComponents(value, a);
	toComponents(static_cast<const CPropertyDataRect&>(to).value, b);
	for (int i = 0; i < 4; ++i)
		a[i] += (b[i] - a[i]) * t;
	static_cast<CPropertyDataRect&>(out).value = irr::core::rectf(a[0], a[1], a[2], a[3]);
	return true;
}
