#pragma once

#include "IPropertyData.h"

#include <irrlicht/SColor.h>

// Property value holding a 32-bit ARGB colour, written as eight hexadecimal digits.
class CPropertyDataColor : public IPropertyData
{
public:
	// A colour made by type name starts as 0 (transparent black).
	explicit CPropertyDataColor(irr::video::SColor value = irr::video::SColor(0)) : value(value) {}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	// Read from the wide text as it stands: no narrowed copy.
	void fromStringW(const irr::core::stringw& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	const irr::video::SColor& getValue() const { return value; }
	void setValue(const irr::video::SColor& v) { value = v; }

private:
	irr::video::SColor value;
};
