#include "PropertyAccessors.h"

#include "core/CPropertyDataAtlasTexture.h"
#include "core/CPropertyDataFont.h"
#include "core/CPropertyDataRect.h"
#include "core/CPropertyDataSound.h"
#include "core/CPropertyDataStringWArray.h"
#include "core/PropertyMakers.h"
#include "nodes/NodeServices.h"

using namespace irr;

namespace
{
template <class T> const T* valueOfType(const SmartPointer<IPropertyData>& value, int typeId)
{
	return value && value->typeId() == typeId ? static_cast<const T*>(value.get()) : nullptr;
}
} // namespace

core::rectf PropertyKind<core::rectf>::read(const SmartPointer<IPropertyData>& value)
{
	const auto* rect = valueOfType<CPropertyDataRect>(value, PROPERTY_RECT);
	return rect ? rect->getValue() : core::rectf(0.0f, 0.0f, 0.0f, 0.0f);
}

SmartPointer<IPropertyData> PropertyKind<core::rectf>::make(const core::rectf& value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataRect(value));
}

core::stringw PropertyKind<core::stringw>::read(const SmartPointer<IPropertyData>& value)
{
	return propertyToStringW(value);
}

SmartPointer<IPropertyData> PropertyKind<core::stringw>::make(const core::stringw& value)
{
	return makeStringWProperty(value);
}

core::array<core::stringw> PropertyKind<core::array<core::stringw>>::read(const SmartPointer<IPropertyData>& value)
{
	const auto* strings = valueOfType<CPropertyDataStringWArray>(value, PROPERTY_STRINGW_ARRAY);
	return strings ? strings->getValue() : core::array<core::stringw>();
}

SmartPointer<IPropertyData> PropertyKind<core::array<core::stringw>>::make(const core::array<core::stringw>& value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataStringWArray(value));
}

StringId PropertyKind<StringId>::read(const SmartPointer<IPropertyData>& value)
{
	const core::stringc text = propertyToStringC(value);
	return text.size() ? internStringId(text) : StringId();
}

SmartPointer<IPropertyData> PropertyKind<StringId>::make(StringId value)
{
	return makeStringValue(getStringById(value));
}

AtlasTexture* PropertyKind<AtlasTexture*>::read(const SmartPointer<IPropertyData>& value)
{
	return atlasFrameOfValue(value.get());
}

SmartPointer<IPropertyData> PropertyKind<AtlasTexture*>::make(AtlasTexture* value)
{
	return makeAtlasTextureProperty(value);
}

CFont* PropertyKind<CFont*>::read(const SmartPointer<IPropertyData>& value)
{
	const auto* font = valueOfType<CPropertyDataFont>(value, PROPERTY_FONT);
	return font ? font->getFont() : nullptr;
}

SmartPointer<IPropertyData> PropertyKind<CFont*>::make(CFont* value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataFont(value));
}

ISound* PropertyKind<ISound*>::read(const SmartPointer<IPropertyData>& value)
{
	const auto* sound = valueOfType<CPropertyDataSound>(value, PROPERTY_SOUND);
	return sound ? sound->getSound() : nullptr;
}

SmartPointer<IPropertyData> PropertyKind<ISound*>::make(ISound* value)
{
	return SmartPointer<IPropertyData>(new CPropertyDataSound(value));
}
