#pragma once

#include "IPropertyData.h"

// Property value holding a 32-bit signed integer.
class CPropertyDataInt : public IPropertyData
{
public:
	explicit CPropertyDataInt(int value = 0) : value(value) {}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	int getValue() const { return value; }
	void setValue(int v) { value = v; }

private:
	int value;
};
