#pragma once

#include "IPropertyData.h"

#include <irrlicht/irrArray.h>

// Property value holding a list of wide texts; it has no text form, only its XML element.
class CPropertyDataStringWArray : public IPropertyData
{
public:
	CPropertyDataStringWArray() = default;
	explicit CPropertyDataStringWArray(const irr::core::array<irr::core::stringw>& value) : value(value) {}

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;
	void readXml(IXMLReader& reader) override;
	void writeXml(IXMLWriter& writer, const irr::core::stringc& name) const override;

	const irr::core::array<irr::core::stringw>& getValue() const { return value; }
	void setValue(const irr::core::array<irr::core::stringw>& v) { value = v; }

private:
	irr::core::array<irr::core::stringw> value;
};
