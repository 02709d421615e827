#include "NodeFactory.h"

#include "BaseNode.h"
#include "ControlNode.h"
#include "KeyFrame.h"
#include "SetProps.h"
#include "SceneNode.h"
#include "SetStates.h"
#include "TemplateCollectionNode.h"
#include "nodes/ParticleSystemNode.h"
#include "nodes/SoundNode.h"
#include "nodes/SpawnerNode.h"

namespace
{
template <class A>
Base* createActionOfClass()
{
	return new A();
}
} // namespace

NodeFactory::NodeFactory()
{
	Singleton<NodeFactory>::record(this);
	// Engine classes, in this order; later classes join the list as they are built.
	registerNodeCreator(L"BaseNode", &createNodeOfClass<BaseNode>);
	registerNodeCreator(L"TemplateCollectionNode", &createNodeOfClass<TemplateCollectionNode>);
	registerNodeCreator(L"ControlNode", &createNodeOfClass<ControlNode>);
	registerNodeCreator(L"SceneNode", &createNodeOfClass<SceneNode>);
	registerNodeCreator(L"SoundNode", &createNodeOfClass<SoundNode>);
	registerNodeCreator(L"ParticleSystemNode", &createNodeOfClass<ParticleSystemNode>);
	registerNodeCreator(L"SpawnerNode", &createNodeOfClass<SpawnerNode>);
	registerActionCreator(L"KeyFrame", &createActionOfClass<KeyFrame>);
	registerActionCreator(L"SetProps", &createActionOfClass<SetProps>);
	registerActionCreator(L"SetStates", &createActionOfClass<SetStates>);
}

NodeFactory::~NodeFactory()
{
	Singleton<NodeFactory>::forget(this);
}

void NodeFactory::registerNodeCreator(const irr::core::stringw& typeName, NodeCreator creator)
{
	if (creator)
		nodeCreators.emplace(typeName, creator);
}

void NodeFactory::registerActionCreator(const irr::core::stringw& typeName, ActionCreator creator)
{
	if (creator)
		actionCreators.emplace(typeName, creator);
}

BaseNode* NodeFactory::createNode(const irr::core::stringw& typeName, const ContentRef& reference) const
{
	auto it = nodeCreators.find(typeName);
	return it == nodeCreators.end() ? nullptr : it->second(reference);
}

Base* NodeFactory::createAction(const irr::core::stringw& typeName) const
{
	auto it = actionCreators.find(typeName);
	return it == actionCreators.end() ? nullptr : it->second();
}
