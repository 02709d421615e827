#pragma once

#include "IPropertyData.h"

#include <irrlicht/vector2d.h>

// Property value holding a 2-D vector, written as "x;y".
class CPropertyDataVector2d : public IPropertyData
{
public:
	explicit CPropertyDataVector2d(const irr::core::vector2df& value = irr::core::vector2df(0.0f, 0.0f)) : value(value)
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

	const irr::core::vector2df& getValue() const { return value; }
	void setValue(const irr::core::vector2df& v) { value = v; }

private:
	irr::core::vector2df value;
};
