#pragma once

#include "IPropertyData.h"

// Property value holding wide (display) text.
class CPropertyDataStringW : public IPropertyData
{
public:
	CPropertyDataStringW() = default;
	explicit CPropertyDataStringW(const irr::core::stringw& value) : value(value) {}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	irr::core::stringw toStringW() const override;
	void fromStringW(const irr::core::stringw& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	const irr::core::stringw& getValue() const { return value; }
	void setValue(const irr::core::stringw& v) { value = v; }

private:
	irr::core::stringw value;
};
