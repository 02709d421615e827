#pragma once

#include "scene/BaseNode.h"
#include "scene/NodeEventQueue.h"
#include "scene/NodeEvents.h"

#include <functional>
#include <string>
#include <vector>

// A node that records every event it sees under its name and consumes it when told to.
class RecordingNode : public BaseNode
{
	ENGINE_NODE_TYPE(RecordingNode, 1000, BaseNode)
	ENGINE_NODE_CLONE(RecordingNode)
public:
	RecordingNode(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager)
	    : BaseNode(reference, parent, sceneManager)
	{
	}

	bool onEvent(CEvent* event) override
	{
		if (visits)
			visits->push_back(getStringById(getName()).c_str());
		if (onVisit)
			onVisit(event);
		return consume || BaseNode::onEvent(event);
	}

	std::vector<std::string>* visits = nullptr;
	bool consume = false;
	std::function<void(CEvent*)> onVisit;
};

// Builds small named trees; every node records into one shared list.
class NodeTreeBuilder
{
public:
	~NodeTreeBuilder()
	{
		for (RecordingNode* root : roots)
			root->drop();
	}

	// A root node, owned by the builder.
	RecordingNode* root(const char* name, INodeEventQueue* queue = nullptr)
	{
		RecordingNode* node = make(name, nullptr, queue);
		roots.push_back(node);
		return node;
	}

	// A child node; its parent holds the only reference.
	RecordingNode* child(BaseNode* parent, const char* name)
	{
		RecordingNode* node = make(name, parent, parent->getSceneManager());
		node->drop();
		return node;
	}

	std::vector<std::string> visits;

private:
	RecordingNode* make(const char* name, BaseNode* parent, INodeEventQueue* queue)
	{
		auto* node = new RecordingNode(ContentRef(), parent, queue);
		node->setName(name);
		node->visits = &visits;
		return node;
	}

	std::vector<RecordingNode*> roots;
};
