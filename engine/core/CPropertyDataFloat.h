#pragma once

#include "IPropertyData.h"

// Property value holding a 32-bit float.
class CPropertyDataFloat : public IPropertyData
{
public:
	explicit CPropertyDataFloat(float value = 0.0f) : value(value) {}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	float getValue() const { return value; }
	void setValue(float v) { value = v; }

private:
	float value;
};
