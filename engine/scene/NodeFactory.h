#pragma once

#include "core/ContentRef.h"
#include "core/EventReceiver.h"
#include "core/Singleton.h"
#include "core/WideNameHash.h"

#include <irrlicht/irrString.h>
#include <unordered_map>

class BaseNode;
class Base;

// Makes a new node of one class (one reference for the caller), attached nowhere.
using NodeCreator = BaseNode* (*)(const ContentRef& reference);
// Makes a new animation action (one reference for the caller).
using ActionCreator = Base* (*)();

// Creator for a node class with the (ContentRef, parent, scene manager) constructor.
template <class T> BaseNode* createNodeOfClass(const ContentRef& reference)
{
	return new T(reference, nullptr, nullptr);
}

// Process-wide registry turning class names of scene files into new nodes and animation actions.
class NodeFactory : public EventReceiver
{
public:
	static NodeFactory* instance() { return Singleton<NodeFactory>::instance(); }

	NodeFactory();
	~NodeFactory() override;

	// The first creator registered under a name stays; later ones are ignored.
	void registerNodeCreator(const irr::core::stringw& typeName, NodeCreator creator);
	void registerActionCreator(const irr::core::stringw& typeName, ActionCreator creator);

	// Null for a name not registered (exact, case-sensitive).
	BaseNode* createNode(const irr::core::stringw& typeName, const ContentRef& reference) const;
	Base* createAction(const irr::core::stringw& typeName) const;

	bool hasNodeCreator(const irr::core::stringw& typeName) const { return nodeCreators.count(typeName) != 0; }
	bool hasActionCreator(const irr::core::stringw& typeName) const { return actionCreators.count(typeName) != 0; }

private:
	std::unordered_map<irr::core::stringw, NodeCreator, WideNameHash> nodeCreators;
	std::unordered_map<irr::core::stringw, ActionCreator, WideNameHash> actionCreators;
};
