#pragma once

#include "ReferenceCounted.h"
#include "SmartPointer.h"

#include <irrlicht/irrString.h>

class IXMLReader;
class IXMLWriter;
class IContentManager;

// Type ids of the property value types.
enum PropertyTypeId
{
	PROPERTY_NONE = 0,
	PROPERTY_INT = 1,
	PROPERTY_BOOL = 2,
	PROPERTY_FLOAT = 3,
	PROPERTY_COLOR = 4,
	PROPERTY_COLORF = 5,
	PROPERTY_VECTOR2D = 6,
	PROPERTY_VECTOR3D = 7,
	PROPERTY_RECT = 8,
	PROPERTY_STRING = 9,
	PROPERTY_STRINGW = 10,
	PROPERTY_STRINGW_ARRAY = 11,
	PROPERTY_PROPERTIES = 12,
	PROPERTY_ATLAS_TEXTURE = 13,
	PROPERTY_FONT = 14,
	PROPERTY_SOUND = 15
};

// One value of one property type, convertible to and from text and its XML element.
// The value holds no name: the collection item or node property holding it does.
class IPropertyData : public virtual ReferenceCounted
{
public:
	virtual const irr::core::stringw& typeName() const;
	virtual const irr::core::stringw& className() const;
	virtual int typeId() const { return PROPERTY_NONE; }
	// True for the type's own id and for 0; no type derives from another.
	virtual bool isKindOf(int id) const { return id == PROPERTY_NONE; }

	// A new value holding a copy.
	virtual SmartPointer<IPropertyData> clone() const = 0;

	virtual irr::core::stringw toStringW() const;
	virtual irr::core::stringc toString() const = 0;
	virtual void fromString(const irr::core::stringc& text) = 0;
	virtual void fromStringW(const irr::core::stringw& text);

	// Values of another type are never equal.
	virtual bool equals(const IPropertyData& other) const = 0;
	// Writes the value at t between this and to into out; true when out changed.
	// Values of another type leave out untouched and give false.
	virtual bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const = 0;
	virtual void prepareInterpolation(const IPropertyData& to);

	// The reader stands on the value's element.
	virtual void readXml(IXMLReader& reader);
	virtual void writeXml(IXMLWriter& writer, const irr::core::stringc& name) const;

protected:
	// Checks that other is of this value's type before it is read as one.
	bool isSameType(const IPropertyData& other) const { return other.typeId() == typeId(); }
};
