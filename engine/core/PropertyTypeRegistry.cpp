#include "PropertyTypeRegistry.h"

#include "CPropertyDataAtlasTexture.h"
#include "CPropertyDataBool.h"
#include "CPropertyDataColor.h"
#include "CPropertyDataColorf.h"
#include "CPropertyDataFloat.h"
#include "CPropertyDataFont.h"
#include "CPropertyDataInt.h"
#include "CPropertyDataProperties.h"
#include "CPropertyDataRect.h"
#include "CPropertyDataSound.h"
#include "CPropertyDataString.h"
#include "CPropertyDataStringW.h"
#include "CPropertyDataStringWArray.h"
#include "CPropertyDataVector2d.h"
#include "CPropertyDataVector3d.h"

#include <cwchar>

namespace
{
template <class T> SmartPointer<IPropertyData> createPlain(IContentManager*)
{
	return new T();
}

template <class T> SmartPointer<IPropertyData> createWithContent(IContentManager* contentManager)
{
	return new T(contentManager);
}
} // namespace

PropertyTypeRegistry::PropertyTypeRegistry()
{
	registerType(L"bool", &createPlain<CPropertyDataBool>);
	registerType(L"int", &createPlain<CPropertyDataInt>);
	registerType(L"float", &createPlain<CPropertyDataFloat>);
	registerType(L"color", &createPlain<CPropertyDataColor>);
	registerType(L"colorf", &createPlain<CPropertyDataColorf>);
	registerType(L"vector2d", &createPlain<CPropertyDataVector2d>);
	registerType(L"vector3d", &createPlain<CPropertyDataVector3d>);
	registerType(L"rect", &createPlain<CPropertyDataRect>);
	registerType(L"string", &createPlain<CPropertyDataString>);
	registerType(L"stringw", &createPlain<CPropertyDataStringW>);
	registerType(L"stringwArray", &createPlain<CPropertyDataStringWArray>);
	registerType(L"font", &createWithContent<CPropertyDataFont>);
	registerType(L"atlasTexture", &createWithContent<CPropertyDataAtlasTexture>);
	registerType(L"sound", &createWithContent<CPropertyDataSound>);
	registerType(L"properties", &createPlain<CPropertyDataProperties>);
}

int PropertyTypeRegistry::find(const irr::core::stringw& typeName) const
{
	const irr::u32 length = typeName.size();
	for (irr::u32 i = 0; i < typeNames.size(); ++i)
	{
		const irr::core::stringw& name = typeNames[i];
		if (name.size() == length && std::wmemcmp(name.c_str(), typeName.c_str(), length) == 0)
			return static_cast<int>(i);
	}
	return -1;
}

SmartPointer<IPropertyData> PropertyTypeRegistry::create(const irr::core::stringw& typeName,
                                                         IContentManager* contentManager) const
{
	const int index = find(typeName);
	if (index < 0)
		return nullptr;
	return creators[static_cast<size_t>(index)](contentManager);
}

void PropertyTypeRegistry::registerType(const irr::core::stringw& typeName, PropertyCreator creator)
{
	if (!creator || find(typeName) >= 0)
		return;
	typeNames.push_back(typeName);
	creators.push_back(creator);
}
