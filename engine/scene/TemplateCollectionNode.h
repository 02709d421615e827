#pragma once

#include "BaseNode.h"

#include <map>

// Holds the named templates that controls copy their looks from; its children are the templates.
class TemplateCollectionNode : public BaseNode
{
	ENGINE_NODE_TYPE(TemplateCollectionNode, NodeTypeTemplateCollectionNode, BaseNode)
	ENGINE_NODE_CLONE(TemplateCollectionNode)

public:
	explicit TemplateCollectionNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                                INodeEventQueue* sceneManager = nullptr);
	~TemplateCollectionNode() override;

	// Registers the children by name; the first child of a name wins.
	void onLoaded() override;

	// False for null or a name already registered; the node does not become a child.
	bool addTemplate(BaseNode* node);
	BaseNode* findTemplate(StringId name) const;
	// Replaces the root's children and states with copies of the named template's.
	// -1 leaves the root empty and gives true; an unknown name leaves it empty and gives false.
	bool applyTemplate(StringId name, BaseNode* root) const;

private:
	struct Entry
	{
		BaseNode* node;
		// Registered from a child (as opposed to addTemplate); re-registered on every load.
		bool fromChild;
	};

	bool registerTemplate(BaseNode* node, bool fromChild);

	std::map<StringId, Entry> templates;
};
