#pragma once

#include "IPropertyData.h"

// Property value holding narrow text.
class CPropertyDataString : public IPropertyData
{
public:
	CPropertyDataString() = default;
	explicit CPropertyDataString(const irr::core::stringc& value) : value(value) {}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	const irr::core::stringc& getValue() const { return value; }
	void setValue(const irr::core::stringc& v) { value = v; }

private:
	irr::core::stringc value;
};
