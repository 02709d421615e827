#pragma once

#include "IPropertyData.h"
#include "Singleton.h"

#include <irrlicht/irrArray.h>
#include <vector>

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

	// Index of the name in typeNames, or -1.
	int find(const irr::core::stringw& typeName) const;

	// Registered names in registration order, and beside each its creator: the few names are
	// searched by length first, quicker than hashing the name of every value read.
	irr::core::array<irr::core::stringw> typeNames;
	std::vector<PropertyCreator> creators;
};
