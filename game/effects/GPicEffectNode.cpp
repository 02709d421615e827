#include "GPicEffectNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "nodes/DegreeTable.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

GPicEffectNode::GPicEffectNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

const core::stringw& GPicEffectNode::typeNameText()
{
	static const core::stringw name(L"GPicEffectNode");
	return name;
}

const PropertyTable& GPicEffectNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GPicEffectNode::AnimTime>("AnimTime"),
	        fieldProperty<&GPicEffectNode::WidthRange>("WidthRange"),
	        fieldProperty<&GPicEffectNode::YVelocityRange>("YVelocityRange"),
	        fieldProperty<&GPicEffectNode::YAccelRange>("YAccelRange"),
	        fieldProperty<&GPicEffectNode::YAccelTimeRange>("YAccelTimeRange"),
	        fieldProperty<&GPicEffectNode::LifeTime>("LifeTime"),
	    });
	return table;
}

void GPicEffectNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (AnimTime != 1000)
		collection.addInt("AnimTime", AnimTime);
	writeRangeProperty(collection, "WidthRange", WidthRange);
	writeRangeProperty(collection, "YVelocityRange", YVelocityRange);
	writeRangeProperty(collection, "YAccelRange", YAccelRange);
	writeRangeProperty(collection, "YAccelTimeRange", YAccelTimeRange);
	writeIntProperty(collection, "LifeTime", LifeTime);
}

void GPicEffectNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GPicEffectNode* other = nodeCast<GPicEffectNode>(source))
	{
		WidthRange = other->WidthRange;
		YVelocityRange = other->YVelocityRange;
		YAccelRange = other->YAccelRange;
		YAccelTimeRange = other->YAccelTimeRange;
		AnimTime = other->AnimTime;
		LifeTime = other->LifeTime;
	}
}

void GPicEffectNode::startEffect()
{
	width = randomInEffectRange(WidthRange);
	swingTime = 0;
	vy = randomInEffectRange(YVelocityRange);
	ay = randomInEffectRange(YAccelRange);
	remaining = LifeTime;
	accelEnd = remaining - randomIntInEffectRange(YAccelTimeRange);
	start = Position;
	current = Position;
}

bool GPicEffectNode::updateEffect(unsigned ms)
{
	if (!liveOn(remaining, ms))
		return false;
	const float dt = ms * 0.001f;
	if (remaining > accelEnd)
		vy += ay * dt;
	current.Y += dt * vy;
	if (AnimTime > 0)
	{
		swingTime += static_cast<int>(ms);
		if (swingTime >= AnimTime)
			swingTime = 0;
		const int q = static_cast<int>(static_cast<long long>(swingTime) * 360 / AnimTime);
		float z = current.Y * 0.00001f;
		// The back half of the swing passes behind things at the same height.
		if (q >= 91 && q <= 269)
			z -= 0.1f;
		setPosition(core::vector3df(current.X - sinDegrees(q) * width, current.Y, z));
	}
	else
	{
		setPosition(current);
	}
	return true;
}
