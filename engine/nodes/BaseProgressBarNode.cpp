#include "BaseProgressBarNode.h"

#include "PropertyLookup.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

namespace
{
float clampToRange(float value, float low, float high)
{
	if (value < low)
		return low;
	return value > high ? high : value;
}
} // namespace

BaseProgressBarNode::BaseProgressBarNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager)
{
}

BaseNode* BaseProgressBarNode::clone(BaseNode*, INodeEventQueue*) const
{
	return nullptr;
}

const PropertyTable& BaseProgressBarNode::propertyTable() const
{
	return progressBarPropertyTable();
}

const PropertyTable& BaseProgressBarNode::progressBarPropertyTable()
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        accessorProperty<&BaseProgressBarNode::setMinValue, &BaseProgressBarNode::getMinValue>("MinValue"),
	        accessorProperty<&BaseProgressBarNode::setMaxValue, &BaseProgressBarNode::getMaxValue>("MaxValue"),
	        accessorProperty<&BaseProgressBarNode::setValue, &BaseProgressBarNode::getValue>("Value"),
	    });
	return table;
}

void BaseProgressBarNode::writeProperties(CPropertyCollection& collection) const
{
	ControlNode::writeProperties(collection);
	if (MinValue != 0.0f)
		collection.addFloat("MinValue", MinValue);
	if (MaxValue != 100.0f)
		collection.addFloat("MaxValue", MaxValue);
	if (Value != 50.0f)
		collection.addFloat("Value", Value);
}

void BaseProgressBarNode::readProperties(const CPropertyCollection& collection)
{
	ControlNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "MinValue", value))
		MinValue = propertyAsFloat(value.get());
	if (lookUpProperty(collection, "MaxValue", value))
		MaxValue = propertyAsFloat(value.get());
	if (lookUpProperty(collection, "Value", value))
		Value = propertyAsFloat(value.get());
	// A file holds the same invariants as code does: an inverted range collapses onto its
	// minimum and the value lies inside it. The look is refreshed by the next template or change.
	if (MaxValue < MinValue)
		MaxValue = MinValue;
	Value = clampToRange(Value, MinValue, MaxValue);
}

void BaseProgressBarNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ControlNode::copyFrom(source, manager);
	if (const BaseProgressBarNode* bar = nodeCast<BaseProgressBarNode>(source))
	{
		MinValue = bar->MinValue;
		MaxValue = bar->MaxValue;
		Value = bar->Value;
	}
}

void BaseProgressBarNode::setMinValue(float value)
{
	if (!(value < MaxValue))
		return;
	MinValue = value;
	if (Value < MinValue)
		Value = MinValue;
	updateVisuals();
}

void BaseProgressBarNode::setMaxValue(float value)
{
	if (!(value > MinValue))
		return;
	MaxValue = value;
	if (Value > MaxValue)
		Value = MaxValue;
	updateVisuals();
}

void BaseProgressBarNode::setValue(float value)
{
	Value = clampToRange(value, MinValue, MaxValue);
	updateVisuals();
}

float BaseProgressBarNode::getFraction() const
{
	return MaxValue > MinValue ? (Value - MinValue) / (MaxValue - MinValue) : 0.0f;
}
