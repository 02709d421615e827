#include "BaseEmitter.h"

#include "PropertyLookup.h"
#include "content/CContentManager.h"
#include "content/IXMLReader.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

namespace
{
const core::vector2df defaultPPSRange(10.0f, 10.0f);
const core::vector2df defaultLifeTimeRange(2000.0f, 3000.0f);
} // namespace

BaseEmitter::BaseEmitter(const ContentRef& reference) : ContentObject(reference)
{
	period = TaskPeriod;
}

BaseEmitter::~BaseEmitter() = default;

const core::stringw& BaseEmitter::typeName() const
{
	static const core::stringw name(L"BaseEmitter");
	return name;
}

const PropertyTable& BaseEmitter::propertyTable() const
{
	return baseEmitterPropertyTable();
}

const PropertyTable& BaseEmitter::baseEmitterPropertyTable()
{
	static const PropertyTable table = appendPropertyDescriptors(
	    rootPropertyTable(),
	    {
	        accessorProperty<&BaseEmitter::setName, &BaseEmitter::getName>("Name"),
	        accessorProperty<&BaseEmitter::setPPSRange, &BaseEmitter::getPPSRange>("PPSRange"),
	        accessorProperty<&BaseEmitter::setLifeTimeRange, &BaseEmitter::getLifeTimeRange>("LifeTimeRange"),
	    });
	return table;
}

void BaseEmitter::writeProperties(CPropertyCollection& collection) const
{
	if (!Name.empty())
		collection.addString("Name", Name);
	if (PPSRange != defaultPPSRange)
		collection.addVector2d("PPSRange", PPSRange);
	if (LifeTimeRange != defaultLifeTimeRange)
		collection.addVector2d("LifeTimeRange", LifeTimeRange);
}

void BaseEmitter::readProperties(const CPropertyCollection& collection)
{
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "Name", value))
		Name = propertyAsText(value.get());
	if (lookUpProperty(collection, "PPSRange", value))
		PPSRange = propertyAsVector2d(value.get());
	if (lookUpProperty(collection, "LifeTimeRange", value))
		LifeTimeRange = propertyAsVector2d(value.get());
}

void BaseEmitter::attachToScheduler(TaskScheduler* scheduler)
{
	setScheduler(scheduler);
}

void BaseEmitter::detachFromScheduler()
{
	setScheduler(nullptr);
}

bool BaseEmitter::run(unsigned)
{
	return true;
}

void BaseEmitter::copyFrom(const BaseEmitter* source)
{
	if (!source || source == this)
		return;
	Name = source->Name;
	PPSRange = source->PPSRange;
	LifeTimeRange = source->LifeTimeRange;
}

ContentObject* BaseEmitter::cloneContent()
{
	return cloneAs(this);
}

void BaseEmitter::load(IXMLReader* reader)
{
	if (!reader)
		return;
	// Standing on an empty "ParticleEmitter" element: there is nothing inside to read.
	if (reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == L"ParticleEmitter" &&
	    reader->isEmptyElement())
		return;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == L"ParticleEmitter")
			break;
		if (type != XML_NODE_ELEMENT || reader->getNodeName() != L"Properties")
			continue;
		SmartPointer<CPropertyCollection> collection(new CPropertyCollection(contentRef.getContentManager()));
		if (collection->readXml(reader))
			readProperties(*collection);
	}
}
