#include "SpawnerNode.h"

#include "NodeServices.h"
#include "PropertyLookup.h"
#include "RandomRange.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataProperties.h"
#include "core/Random.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"
#include "scene/TemplateCollectionNode.h"

#include <cmath>

using namespace irr;

namespace
{
const core::vector2df zeroRange(0.0f, 0.0f);
const core::vector2df defaultPerSecRange(1.0f, 1.0f);
const core::vector2df defaultLifeTimeRange(1000.0f, 1000.0f);

void writeRange(CPropertyCollection& collection, const char* name, const core::vector2df& value,
                const core::vector2df& def)
{
	if (value != def)
		collection.addVector2d(name, value);
}

void readRange(const CPropertyCollection& collection, const char* name, core::vector2df& value)
{
	SmartPointer<IPropertyData> data;
	if (lookUpProperty(collection, name, data))
		value = propertyAsVector2d(data.get());
}
} // namespace

SpawnerNode::SpawnerNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* sceneManagerLink)
    : BaseNode(reference, parentNode, sceneManagerLink)
{
	period = TaskPeriod;
}

SpawnerNode::~SpawnerNode()
{
	setScheduler(nullptr);
}

// ---- properties

const PropertyTable& SpawnerNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&SpawnerNode::setObjTemplate, &SpawnerNode::getObjTemplate>("ObjTemplate"),
	        accessorProperty<&SpawnerNode::setEnabled, &SpawnerNode::isEnabled>("Enabled"),
	        accessorProperty<&SpawnerNode::setSpawnedObjectGhost, &SpawnerNode::isSpawnedObjectGhost>(
	            "IsSpawnedObjectGhost"),
	        accessorProperty<&SpawnerNode::setObjectsSpawnStartDelayRange,
	                         &SpawnerNode::getObjectsSpawnStartDelayRange>("ObjectsSpawnStartDelayRange"),
	        accessorProperty<&SpawnerNode::setObjectsPerSecRange, &SpawnerNode::getObjectsPerSecRange>(
	            "ObjectsPerSecRange"),
	        accessorProperty<&SpawnerNode::setObjectsLifeTimeRange, &SpawnerNode::getObjectsLifeTimeRange>(
	            "ObjectsLifeTimeRange"),
	        accessorProperty<&SpawnerNode::setObjectsXDeltaRange, &SpawnerNode::getObjectsXDeltaRange>(
	            "ObjectsXDeltaRange"),
	        accessorProperty<&SpawnerNode::setObjectsYDeltaRange, &SpawnerNode::getObjectsYDeltaRange>(
	            "ObjectsYDeltaRange"),
	        accessorProperty<&SpawnerNode::setObjectsRotationDeltaRange, &SpawnerNode::getObjectsRotationDeltaRange>(
	            "ObjectsRotationDeltaRange"),
	    });
	return table;
}

void SpawnerNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (!ObjTemplate.empty())
		collection.addString("ObjTemplate", getObjTemplate());
	if (!IsSpawnedObjectGhost)
		collection.addBool("IsSpawnedObjectGhost", false);
	if (!Enabled)
		collection.addBool("Enabled", false);
	writeRange(collection, "ObjectsSpawnStartDelayRange", ObjectsSpawnStartDelayRange, zeroRange);
	writeRange(collection, "ObjectsPerSecRange", ObjectsPerSecRange, defaultPerSecRange);
	writeRange(collection, "ObjectsLifeTimeRange", ObjectsLifeTimeRange, defaultLifeTimeRange);
	writeRange(collection, "ObjectsXDeltaRange", ObjectsXDeltaRange, zeroRange);
	writeRange(collection, "ObjectsYDeltaRange", ObjectsYDeltaRange, zeroRange);
	writeRange(collection, "ObjectsRotationDeltaRange", ObjectsRotationDeltaRange, zeroRange);
	if (ObjectsProperties)
		collection.add("ObjectsProperties",
		               SmartPointer<IPropertyData>(new CPropertyDataProperties(ObjectsProperties.get())));
}

void SpawnerNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	readRange(collection, "ObjectsSpawnStartDelayRange", ObjectsSpawnStartDelayRange);
	restartDelay();
	readRange(collection, "ObjectsPerSecRange", ObjectsPerSecRange);
	readRange(collection, "ObjectsLifeTimeRange", ObjectsLifeTimeRange);
	readRange(collection, "ObjectsXDeltaRange", ObjectsXDeltaRange);
	readRange(collection, "ObjectsYDeltaRange", ObjectsYDeltaRange);
	readRange(collection, "ObjectsRotationDeltaRange", ObjectsRotationDeltaRange);
	if (lookUpProperty(collection, "ObjectsProperties", value))
	{
		const bool isProperties = value && value->typeId() == PROPERTY_PROPERTIES;
		setObjectsProperties(isProperties ? static_cast<CPropertyDataProperties*>(value.get())->getCollection()
		                                  : nullptr);
	}
	if (lookUpProperty(collection, "ObjTemplate", value))
		setObjTemplate(propertyAsText(value.get()).c_str());
	if (lookUpProperty(collection, "Enabled", value))
		setEnabled(propertyAsBool(value.get()));
	if (lookUpProperty(collection, "IsSpawnedObjectGhost", value))
		IsSpawnedObjectGhost = propertyAsBool(value.get());
}

void SpawnerNode::copyFrom(const BaseNode* source, INodeEventQueue* sceneManagerLink)
{
	const u32 firstNewChild = children.size();
	BaseNode::copyFrom(source, sceneManagerLink);
	const auto* other = nodeCast<SpawnerNode>(source);
	if (!other || other == this)
		return;
	dropCopiedGhosts(other, firstNewChild);
	IsSpawnedObjectGhost = other->IsSpawnedObjectGhost;
	ObjectsSpawnStartDelayRange = other->ObjectsSpawnStartDelayRange;
	restartDelay();
	ObjectsPerSecRange = other->ObjectsPerSecRange;
	ObjectsLifeTimeRange = other->ObjectsLifeTimeRange;
	ObjectsXDeltaRange = other->ObjectsXDeltaRange;
	ObjectsYDeltaRange = other->ObjectsYDeltaRange;
	ObjectsRotationDeltaRange = other->ObjectsRotationDeltaRange;
	ObjTemplate = other->ObjTemplate;
	reloadTemplates();
	setEnabled(other->Enabled);
	setObjectsProperties(other->ObjectsProperties.get());
}

// Ghost copies stay in their spawner's child array, so the generic copy clones them as well;
// the copies made from them are matched by position and removed again.
void SpawnerNode::dropCopiedGhosts(const BaseNode* source, u32 firstNewChild)
{
	const core::array<BaseNode*>& sourceChildren = source->getChildren();
	if (children.size() != firstNewChild + sourceChildren.size())
		return;
	std::vector<BaseNode*> ghosts;
	for (u32 i = 0; i < sourceChildren.size(); ++i)
		if (sourceChildren[i]->isInternal())
			ghosts.push_back(children[firstNewChild + i]);
	for (BaseNode* ghost : ghosts)
		removeChild(ghost);
}

bool SpawnerNode::onSceneAttached(CEventNodeSceneAttached*)
{
	reloadTemplates();
	return false;
}

bool SpawnerNode::onTemplatesChanged(CEventNodeTemplatesChanged*)
{
	reloadTemplates();
	return false;
}

// ---- templates and switches

void SpawnerNode::setObjTemplate(const char* text)
{
	ObjTemplate = splitToIds(text ? text : "");
	reloadTemplates();
}

core::stringc SpawnerNode::getObjTemplate() const
{
	core::stringc text;
	for (u32 i = 0; i < ObjTemplate.size(); ++i)
	{
		if (i)
			text += ";";
		text += getStringById(ObjTemplate[i]);
	}
	return text;
}

void SpawnerNode::reloadTemplates()
{
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	TemplateCollectionNode* collection = services ? services->getTemplateCollection() : nullptr;
	if (!collection)
		return;
	templates.clear();
	for (u32 i = 0; i < ObjTemplate.size(); ++i)
		if (BaseNode* found = collection->findTemplate(ObjTemplate[i]))
			templates.push_back(SmartPointer<BaseNode>(shareRef(found)));
}

void SpawnerNode::setEnabled(bool value)
{
	Enabled = value;
	if (!value)
		setScheduler(nullptr);
	else if (TaskScheduler* scheduler = findSceneScheduler(this))
		setScheduler(scheduler);
}

void SpawnerNode::setObjectsProperties(CPropertyCollection* collection)
{
	ObjectsProperties = SmartPointer<CPropertyCollection>(shareRef(collection));
}

void SpawnerNode::restartDelay()
{
	accumulator = -randomInRange(ObjectsSpawnStartDelayRange);
}

// ---- spawning

void SpawnerNode::addToRenderList(RenderList& list)
{
	BaseNode::addToRenderList(list);
	// Hidden spawners start too: only drawn parents matter.
	if (!Enabled || getScheduler())
		return;
	if (TaskScheduler* scheduler = findSceneScheduler(this))
	{
		restartDelay();
		setScheduler(scheduler);
	}
}

bool SpawnerNode::run(unsigned ms)
{
	accumulator += static_cast<float>(ms);
	if (!(accumulator > 0.0f))
		return true;
	const float pps = randomInRange(ObjectsPerSecRange);
	const float periodMs = 1000.0f / pps;
	const float due = accumulator / periodMs;
	// A rate of 0 gives an infinite period; a negative or undefined rate spawns nothing either.
	if (!(periodMs > 0.0f) || !(due >= 1.0f) || !std::isfinite(due))
		return true;
	const float count = std::floor(due);
	accumulator -= count * periodMs;
	spawn(count >= static_cast<float>(MaxSpawnPerRun) ? MaxSpawnPerRun : static_cast<u32>(count));
	return true;
}

void SpawnerNode::spawn(u32 n)
{
	if (templates.empty())
		return;
	// Held for the call: a copy's property setters may change this spawner's templates.
	const SmartPointer<BaseNode> source = templates[Random::instance()->nextUInt() % templates.size()];
	const SmartPointer<CPropertyCollection> properties = ObjectsProperties;
	for (u32 i = 0; i < n; ++i)
	{
		BaseNode* copy = source->clone(this, getSceneManager());
		if (!copy)
			continue;
		const float x = randomInRange(ObjectsXDeltaRange);
		const float y = randomInRange(ObjectsYDeltaRange);
		copy->setPosition(core::vector3df(x, y, source->getPosition().Z));
		copy->setRotation(core::vector3df(0.0f, 0.0f, randomInRange(ObjectsRotationDeltaRange)));
		if (IsSpawnedObjectGhost)
			copy->setInternal(true);
		copy->setVisible(true);
		if (properties)
			for (int item = 0; item < properties->getCount(); ++item)
				copy->setPropertyByName(properties->getNameAt(item).c_str(), properties->getDataAt(item));
		const int life = truncateToInt(randomInRange(ObjectsLifeTimeRange));
		copy->setPropertyByName("LifeTime", makeIntValue(life));
	}
}
