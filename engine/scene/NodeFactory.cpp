#include "NodeFactory.h"

#include "BaseNode.h"
#include "ControlNode.h"
#include "KeyFrame.h"
#include "SetProps.h"
#include "SceneNode.h"
#include "SetStates.h"
#include "TabSceneNode.h"
#include "TemplateCollectionNode.h"
#include "nodes/EditNode.h"
#include "nodes/NineGridSpriteNode.h"
#include "nodes/BackButtonNode.h"
#include "nodes/ButtonNode.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/ListNode.h"
#include "nodes/ParticleSystemNode.h"
#include "nodes/ProgressBarNode.h"
#include "nodes/SliderNode.h"
#include "nodes/SoundNode.h"
#include "nodes/SpawnerNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"

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
	registerNodeCreator(L"SpriteNode", &createNodeOfClass<SpriteNode>);
	registerNodeCreator(L"NineGridSpriteNode", &createNodeOfClass<NineGridSpriteNode>);
	registerNodeCreator(L"TextNode", &createNodeOfClass<TextNode>);
	registerNodeCreator(L"ControlNode", &createNodeOfClass<ControlNode>);
	registerNodeCreator(L"ButtonNode", &createNodeOfClass<ButtonNode>);
	registerNodeCreator(L"BackButtonNode", &createNodeOfClass<BackButtonNode>);
	registerNodeCreator(L"CheckBoxNode", &createNodeOfClass<CheckBoxNode>);
	registerNodeCreator(L"EditNode", &createNodeOfClass<EditNode>);
	registerNodeCreator(L"ListNode", &createNodeOfClass<ListNode>);
	registerNodeCreator(L"SliderNode", &createNodeOfClass<SliderNode>);
	registerNodeCreator(L"ProgressBarNode", &createNodeOfClass<ProgressBarNode>);
	registerNodeCreator(L"SceneNode", &createNodeOfClass<SceneNode>);
	registerNodeCreator(L"TabSceneNode", &createNodeOfClass<TabSceneNode>);
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
