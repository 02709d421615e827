#pragma once

#include "PropertyTable.h"
#include "PropertyValue.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/rect.h>
#include <type_traits>

class AtlasTexture;
class CFont;
class IPropertyOwner;
class ISound;

// Property table entries bound to a getter and setter pair or to a field, one line each:
//
//   accessorProperty<&SpriteNode::setFlipX, &SpriteNode::getFlipX>("FlipX"),
//   fieldProperty<&GBaloonNode::lifeTime>("LifeTime"),
//
// The getter's (or field's) type picks the value kind; a last template argument names another kind.
// Entries with logic of their own stay written out.

// How a property of type T is read from a value and made into one. A missing value or one of
// another type reads as zero (false, 0, empty, none), as the propertyAs* readers do.
template <class T> struct PropertyKind;

template <> struct PropertyKind<bool>
{
	static bool read(const SmartPointer<IPropertyData>& value) { return propertyAsBool(value.get()); }
	static SmartPointer<IPropertyData> make(bool value) { return makeBoolValue(value); }
};

template <> struct PropertyKind<int>
{
	static int read(const SmartPointer<IPropertyData>& value) { return propertyAsInt(value.get()); }
	static SmartPointer<IPropertyData> make(int value) { return makeIntValue(value); }
};

template <> struct PropertyKind<float>
{
	static float read(const SmartPointer<IPropertyData>& value) { return propertyAsFloat(value.get()); }
	static SmartPointer<IPropertyData> make(float value) { return makeFloatValue(value); }
};

template <> struct PropertyKind<irr::video::SColor>
{
	static irr::video::SColor read(const SmartPointer<IPropertyData>& value) { return propertyAsColor(value.get()); }
	static SmartPointer<IPropertyData> make(irr::video::SColor value) { return makeColorValue(value); }
};

template <> struct PropertyKind<irr::core::vector2df>
{
	static irr::core::vector2df read(const SmartPointer<IPropertyData>& value)
	{
		return propertyAsVector2d(value.get());
	}
	static SmartPointer<IPropertyData> make(const irr::core::vector2df& value) { return makeVector2dValue(value); }
};

template <> struct PropertyKind<irr::core::vector3df>
{
	static irr::core::vector3df read(const SmartPointer<IPropertyData>& value)
	{
		return propertyAsVector3d(value.get());
	}
	static SmartPointer<IPropertyData> make(const irr::core::vector3df& value) { return makeVector3dValue(value); }
};

template <> struct PropertyKind<irr::core::rectf>
{
	static irr::core::rectf read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(const irr::core::rectf& value);
};

// The text of a value of any type.
template <> struct PropertyKind<irr::core::stringc>
{
	static irr::core::stringc read(const SmartPointer<IPropertyData>& value) { return propertyAsText(value.get()); }
	static SmartPointer<IPropertyData> make(const irr::core::stringc& value) { return makeStringValue(value); }
};
template <> struct PropertyKind<const char*> : PropertyKind<irr::core::stringc>
{
};

// The wide text of a value of any type; made as a "stringw" value.
template <> struct PropertyKind<irr::core::stringw>
{
	static irr::core::stringw read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(const irr::core::stringw& value);
};

template <> struct PropertyKind<irr::core::array<irr::core::stringw>>
{
	static irr::core::array<irr::core::stringw> read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(const irr::core::array<irr::core::stringw>& value);
};

// A name read from text: empty text is no name. Made as a "string" value.
template <> struct PropertyKind<StringId>
{
	static StringId read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(StringId value);
};

template <> struct PropertyKind<AtlasTexture*>
{
	static AtlasTexture* read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(AtlasTexture* value);
};

template <> struct PropertyKind<CFont*>
{
	static CFont* read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(CFont* value);
};

template <> struct PropertyKind<ISound*>
{
	static ISound* read(const SmartPointer<IPropertyData>& value);
	static SmartPointer<IPropertyData> make(ISound* value);
};

namespace propertyAccessors
{
template <class Member> struct FieldOf;
template <class Class, class T> struct FieldOf<T Class::*>
{
	using Owner = Class;
	using Value = T;
};

template <class Getter> struct GetterOf;
template <class Class, class R> struct GetterOf<R (Class::*)() const>
{
	using Owner = Class;
	using Value = std::decay_t<R>;
};
template <class Class, class R> struct GetterOf<R (Class::*)() const noexcept> : GetterOf<R (Class::*)() const>
{
};

template <class Setter> struct SetterOf;
template <class Class, class R, class P> struct SetterOf<R (Class::*)(P)>
{
	using Owner = Class;
	using Parameter = P;
};
template <class Class, class R, class P> struct SetterOf<R (Class::*)(P) noexcept> : SetterOf<R (Class::*)(P)>
{
};

// Text goes to a setter taking a C string as its characters; the value lives to the end of the call.
template <class Parameter, class Value> decltype(auto) asArgument(const Value& value)
{
	if constexpr (std::is_same_v<std::decay_t<Parameter>, const char*>)
		return value.c_str();
	else
		return (value);
}
} // namespace propertyAccessors

// An entry whose setter gets the value read by Kind and whose getter's result Kind makes into a value.
template <auto Setter, auto Getter,
          class Kind = PropertyKind<typename propertyAccessors::GetterOf<decltype(Getter)>::Value>>
PropertyDescriptor accessorProperty(const char* name)
{
	using Set = propertyAccessors::SetterOf<decltype(Setter)>;
	using Get = propertyAccessors::GetterOf<decltype(Getter)>;
	return {name,
	        [](IPropertyOwner* owner, const SmartPointer<IPropertyData>& value)
	        {
		        (static_cast<typename Set::Owner*>(owner)->*Setter)(
		            propertyAccessors::asArgument<typename Set::Parameter>(Kind::read(value)));
	        },
	        [](const IPropertyOwner* owner)
	        { return Kind::make((static_cast<const typename Get::Owner*>(owner)->*Getter)()); }};
}

// An entry that stores the value read by Kind in the field as it is and makes the field into a value.
template <auto Field, class Kind = PropertyKind<typename propertyAccessors::FieldOf<decltype(Field)>::Value>>
PropertyDescriptor fieldProperty(const char* name)
{
	using Owner = typename propertyAccessors::FieldOf<decltype(Field)>::Owner;
	return {name,
	        [](IPropertyOwner* owner, const SmartPointer<IPropertyData>& value)
	        { static_cast<Owner*>(owner)->*Field = Kind::read(value); },
	        [](const IPropertyOwner* owner) { return Kind::make(static_cast<const Owner*>(owner)->*Field); }};
}
