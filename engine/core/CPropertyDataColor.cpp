#include "CPropertyDataColor.h"

#include "PropertyText.h"

#include <cstdio>

const irr::core::stringw& CPropertyDataColor::typeName() const
{
	static const irr::core::stringw name(L"color");
	return name;
}

const irr::core::stringw& CPropertyDataColor::className() const
{
	static const irr::core::stringw name(L"CPropertyDataColor");
	return name;
}

int CPropertyDataColor::typeId() const
{
	return PROPERTY_COLOR;
}

bool CPropertyDataColor::isKindOf(int id) const
{
	return id == PROPERTY_COLOR || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataColor::clone() const
{
	return new CPropertyDataColor(value);
}

irr::core::stringc CPropertyDataColor::toString() const
{
	char buffer[16];
	std::snprintf(buffer, sizeof(buffer), "%08x", static_cast<unsigned>(value.color));
	return irr::core::stringc(buffer);
}

void CPropertyDataColor::fromString(const irr::core::stringc& text)
{
	value.color = readPropertyHex(text.c_str());
}

void CPropertyDataColor::fromStringW(const irr::core::stringw& text)
{
	value.color = readPropertyHexW(text.c_str());
}

bool CPropertyDataColor::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataColor&>(other).value.color == value.color;
}

namespace
{
irr::u32 blendChannel(irr::u32 from, irr::u32 to, float t)
{
	const double mixed = static_cast<double>(to) * t + static_cast<double>(from) * (1.0 - static_cast<double>(t));
	// Outside 0..1 the mix leaves the channel range: keep it a valid channel.
	const int channel = truncateToInt(mixed);
	return static_cast<irr::u32>(channel < 0 ? 0 : (channel > 255 ? 255 : channel));
}
} // namespace

bool CPropertyDataColor::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	const irr::video::SColor& target = static_cast<const CPropertyDataColor&>(to).value;
	static_cast<CPropertyDataColor&>(out).value = irr::video::SColor(
	    blendChannel(value.getAlpha(), target.getAlpha(), t), blendChannel(value.getRed(), target.getRed(), t),
	    blendChannel(value.getGreen(), target.getGreen(), t), blendChannel(value.getBlue(), target.getBlue(), t));
	return true;
}
