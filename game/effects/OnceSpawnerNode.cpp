#include "OnceSpawnerNode.h"

#include "GCarNode.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "core/TextUtils.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"
#include "scene/TemplateCollectionNode.h"

using namespace irr;

namespace
{
core::stringc joinNames(const core::array<StringId>& names)
{
	core::stringc text;
	for (u32 i = 0; i < names.size(); ++i)
	{
		if (i)
			text += ";";
		text += getStringById(names[i]);
	}
	return text;
}
} // namespace

OnceSpawnerNode::OnceSpawnerNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
}

const core::stringw& OnceSpawnerNode::typeNameText()
{
	static const core::stringw name(L"OnceSpawnerNode");
	return name;
}

const PropertyTable& OnceSpawnerNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&OnceSpawnerNode::setObjState, &OnceSpawnerNode::getObjState>("ObjState"),
	        accessorProperty<&OnceSpawnerNode::setObjTemplateIDs, &OnceSpawnerNode::getObjTemplateIDs>(
	            "ObjTemplateIDs"),
	        accessorProperty<&OnceSpawnerNode::setShowLevelPercent, &OnceSpawnerNode::getShowLevelPercent>(
	            "ShowLevelPercent"),
	    });
	return table;
}

void OnceSpawnerNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (!objTemplateIds.empty())
		collection.addString("ObjTemplateIDs", getObjTemplateIDs());
	if (!objState.empty())
		collection.addString("ObjState", getObjState());
	if (showLevelPercent != 50)
		collection.addInt("ShowLevelPercent", showLevelPercent);
}

void OnceSpawnerNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	const PropertyTable& table = propertyTable();
	for (size_t i = baseNodePropertyTable().size(); i < table.size(); ++i)
		if (collection.indexOf(table[i].name) >= 0)
			table[i].setter(this, collection.get(table[i].name));
}

void OnceSpawnerNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const OnceSpawnerNode* other = nodeCast<OnceSpawnerNode>(source))
	{
		objState = other->objState;
		objTemplateIds = other->objTemplateIds;
		showLevelPercent = other->showLevelPercent;
	}
}

void OnceSpawnerNode::setObjState(const char* names)
{
	objState = splitToIds(names);
}

void OnceSpawnerNode::setObjTemplateIDs(const char* names)
{
	objTemplateIds = splitToIds(names);
}

core::stringc OnceSpawnerNode::getObjState() const
{
	return joinNames(objState);
}

core::stringc OnceSpawnerNode::getObjTemplateIDs() const
{
	return joinNames(objTemplateIds);
}

void OnceSpawnerNode::addToRenderList(RenderList& list)
{
	if (pending)
		decide();
	BaseNode::addToRenderList(list);
}

void OnceSpawnerNode::decide()
{
	pending = false;
	Random* random = Random::instance();
	const int r = static_cast<int>(random->nextIntInRange(1, 99));
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	TemplateCollectionNode* templates = services ? services->getTemplateCollection() : nullptr;
	if (r >= showLevelPercent || !templates || objTemplateIds.empty())
		return;
	const u32 pick = random->nextIntInRange(0, objTemplateIds.size());
	BaseNode* model = templates->findTemplate(objTemplateIds[pick]);
	if (!model)
		return;
	BaseNode* object = model->clone(this, getSceneManager());
	if (!object)
		return;
	// A parked car stays where its road ends.
	if (GCarNode* car = nodeCast<GCarNode>(object))
		car->setRemovedAtEnd(false);
	object->setInternal(true);
	object->setVisible(true);
	if (!objState.empty())
		object->setChildrenState(objState[random->nextIntInRange(0, objState.size())], nullptr);
}
