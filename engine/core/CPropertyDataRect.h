#pragma once

#include "IPropertyData.h"

#include <irrlicht/rect.h>

// Property value holding a rectangle, written as "left;top;right;bottom".
class CPropertyDataRect : public IPropertyData
{
public:
	explicit CPropertyDataRect(const irr::core::rectf& value = irr::core::rectf(0.0f, 0.0f, 0.0f, 0.0f)) : value(value)
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

	const irr::core::rectf& getValue() const { return value; }
	void setValue(const irr::core::rectf& v) { value = v; }

private:
	irr::core::rectf value;
};
