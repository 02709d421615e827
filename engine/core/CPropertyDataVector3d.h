#pragma once

#include "IPropertyData.h"

#include <irrlicht/vector3d.h>

// Property value holding a 3-D vector, written as "x;y;z".
class CPropertyDataVector3d : public IPropertyData
{
public:
	explicit CPropertyDataVector3d(const irr::core::vector3df& value = irr::core::vector3df(0.0f, 0.0f, 0.0f))
	    : value(value)
	{
	}

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

	const irr::core::vector3df& getValue() const { return value; }
	void setValue(const irr::core::vector3df& v) { value = v; }

private:
	irr::core::vector3df value;
};
