#pragma once

#include "scene/NodeFactory.h"

#include <irrlicht/irrString.h>
#include <vector>

// One game class as the node factory knows it: the accessor of the name scene files use in Type or
// ClassOverride, and the creator that makes it with no parent and no scene manager.
struct GameNodeClass
{
	const irr::core::stringw& (*typeName)();
	NodeCreator creator;
};

// The entry of a class that has a static typeNameText and a default constructor.
template <class T> GameNodeClass gameNodeClassOf()
{
	return {&T::typeNameText, &createNodeOfClass<T>};
}
