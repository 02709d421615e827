#include "TemplateCollectionNode.h"

TemplateCollectionNode::TemplateCollectionNode(const ContentRef& reference, BaseNode* parentNode,
                                               INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
	contentFlags = ContentShared;
}

TemplateCollectionNode::~TemplateCollectionNode()
{
	std::map<StringId, Entry> taken;
	taken.swap(templates);
	for (auto& entry : taken)
		entry.second.node->drop();
}

void TemplateCollectionNode::onLoaded()
{
	// Templates of children from an earlier load are gone from the tree: forget them.
	for (auto it = templates.begin(); it != templates.end();)
	{
		if (it->second.fromChild)
		{
			it->second.node->drop();
			it = templates.erase(it);
		}
		else
		{
			++it;
		}
	}
	for (irr::u32 i = 0; i < children.size(); ++i)
		registerTemplate(children[i], true);
}

bool TemplateCollectionNode::registerTemplate(BaseNode* node, bool fromChild)
{
	if (!node || templates.count(node->getName()))
		return false;
	node->grab();
	templates.emplace(node->getName(), Entry{node, fromChild});
	return true;
}

bool TemplateCollectionNode::addTemplate(BaseNode* node)
{
	return registerTemplate(node, false);
}

BaseNode* TemplateCollectionNode::findTemplate(StringId name) const
{
	auto it = templates.find(name);
	return it == templates.end() ? nullptr : it->second.node;
}

bool TemplateCollectionNode::applyTemplate(StringId name, BaseNode* root) const
{
	if (!root)
		return false;
	SmartPointer<BaseNode> keep(shareRef(root));
	const irr::core::array<BaseNode*>& rootChildren = root->getChildren();
	for (irr::u32 i = 0; i < rootChildren.size(); ++i)
		rootChildren[i]->stopAllStates(false);
	root->stopAllStates(false);
	root->removeAllChildren();
	root->clearStates();
	if (name.isEmpty())
		return true;
	BaseNode* source = findTemplate(name);
	if (!source)
		return false;
	source->cloneContentsInto(root);
	return true;
}
