#include "ProgressBarNode.h"

#include "PropertyLookup.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

namespace
{
BaseNode* directPart(const BaseNode* root, const char* name)
{
	return root ? root->findChild(internStringId(name), 1) : nullptr;
}
} // namespace

ProgressBarNode::ProgressBarNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseProgressBarNode(reference, parentNode, manager)
{
}

ProgressBarNode::~ProgressBarNode() = default;

const PropertyTable& ProgressBarNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    progressBarPropertyTable(),
	    {
	        accessorProperty<&ProgressBarNode::setKnobType, &ProgressBarNode::getKnobType>("KnobType"),
	    });
	return table;
}

void ProgressBarNode::writeProperties(CPropertyCollection& collection) const
{
	BaseProgressBarNode::writeProperties(collection);
	if (KnobType != 0)
		collection.addInt("KnobType", KnobType);
}

void ProgressBarNode::readProperties(const CPropertyCollection& collection)
{
	BaseProgressBarNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "KnobType", value))
		KnobType = propertyAsInt(value.get());
}

void ProgressBarNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseProgressBarNode::copyFrom(source, manager);
	if (const ProgressBarNode* bar = nodeCast<ProgressBarNode>(source))
		KnobType = bar->KnobType;
}

void ProgressBarNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ControlNode::applyTemplate();
	slidingArea = nullptr;
	knob = nullptr;
	if (ControlNode* root = getTemplateRoot())
	{
		slidingArea = shareRef(directPart(root, "SlidingArea"));
		knob = shareRef(directPart(root, "Knob"));
	}
	updateVisuals();
}

void ProgressBarNode::updateVisuals()
{
	if (!slidingArea || !knob)
		return;
	irr::core::vector3df position = knob->getPosition();
	if (KnobType == KnobFillsArea)
	{
		const float t = getFraction();
		const irr::core::vector3df& area = slidingArea->getBounds();
		irr::core::vector3df bounds = knob->getBounds();
		if (area.Y <= area.X)
		{
			bounds.X = t * area.X;
			position.X = slidingArea->getPosition().X;
		}
		else
		{
			bounds.Y = t * area.Y;
			position.Y = slidingArea->getPosition().Y;
		}
		knob->setBounds(bounds);
	}
	knob->setPosition(position);
}
