#pragma once

#include "IPropertyData.h"

#include <irrlicht/SColor.h>

// Property value holding a floating-point colour, written as "r;g;b;a".
class CPropertyDataColorf : public IPropertyData
{
public:
	explicit CPropertyDataColorf(irr::video::SColorf value = irr::video::SColorf(0.0f, 0.0f, 0.0f, 0.0f)) : value(value)
	{
	}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	const irr::video::SColorf& getValue() const { return value; }
	void setValue(const irr::video::SColorf& v) { value = v; }

private:
	irr::video::SColorf value;
};
