#pragma once

#include "IPropertyData.h"
#include "Singleton.h"
#include "WideNameHash.h"

#include <irrlicht/irrArray.h>
#include <unordered_map>

// Makes a new value of one property type; the content manager is kept by the
// content-reference types and ignored by the others.
using PropertyCreator = SmartPointer<IPropertyData> (*)(IContentManager* contentManager);

// Process-wide map from property type name to the creator of an empty value of that type.
class PropertyTypeRegistry
{
public:
	static PropertyTypeRegistry* instance() { return Singleton<PropertyTypeRegistry>::instance(); }

	// Null for a name not registered (names are case-sensitive).
	SmartPointer<IPropertyData> create(const irr::core::stringw& typeName, IContentManager* contentManager) const;
	// Adds a creator unless the name is registered already.
	void registerType(const irr::core::stringw& typeName, PropertyCreator creator);
	// Registered names in registration order.
	const irr::core::array<irr::core::stringw>& getTypeNames() const { return typeNames; }

private:
	friend struct SingletonTraits<PropertyTypeRegistry>;
	PropertyTypeRegistry();

	std::unordered_map<irr::core::stringw, PropertyCreator, WideNameHash> creators;
	irr::core::array<irr::core::stringw> typeNames;
};
