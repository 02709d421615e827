#include "SceneFileWriter.h"

#include "AnimatorSet.h"
#include "BaseNode.h"
#include "content/CContentManager.h"
#include "content/IXMLWriter.h"
#include "core/CPropertyCollection.h"
#include "core/PropertyMakers.h"

#include <algorithm>
#include <vector>

void SceneFileWriter::saveNode(const BaseNode* node, IXMLWriter* writer)
{
	if (!node || !writer || node->isInternal())
		return;
	writer->writeElement(L"SceneNode", false, L"Type", node->typeName().c_str());
	writer->writeLineBreak();
	CContentManager* contentManager = node->getContentRef().getContentManager();
	SmartPointer<CPropertyCollection> collection(new CPropertyCollection(contentManager));
	node->writeProperties(*collection);
	if (collection->getCount() > 0)
		collection->writeXml(writer);
	if (!node->getStates().empty())
		saveStates(node, writer);
	const irr::core::array<BaseNode*>& children = node->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
		children[i]->save(writer);
	writer->writeClosingTag(L"SceneNode");
	writer->writeLineBreak();
}

void SceneFileWriter::saveStates(const BaseNode* node, IXMLWriter* writer)
{
	if (!node || !writer)
		return;
	writer->writeElement(L"States", false);
	writer->writeLineBreak();
	if (!node->getDefaultState().isEmpty())
	{
		CPropertyCollection collection;
		collection.add("DefaultState", makeStringPropertyFromId(node->getDefaultState()));
		collection.writeXml(writer);
	}
	std::vector<const AnimatorSet*> sets;
	for (const auto& entry : node->getStates())
		sets.push_back(entry.second);
	std::stable_sort(sets.begin(), sets.end(),
	                 [](const AnimatorSet* a, const AnimatorSet* b)
	                 { return getStringById(a->getName()) < getStringById(b->getName()); });
	CContentManager* contentManager = node->getContentRef().getContentManager();
	for (const AnimatorSet* set : sets)
		set->save(writer, contentManager);
	writer->writeClosingTag(L"States");
	writer->writeLineBreak();
}
