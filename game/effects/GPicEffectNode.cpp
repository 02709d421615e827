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
	        fieldProperty<&GPicEffectNode::animTime>("AnimTime"),
	        fieldProperty<&GPicEffectNode::widthRange>("WidthRange"),
	        fieldProperty<&GPicEffectNode::yVelocityRange>("YVelocityRange"),
	        fieldProperty<&GPicEffectNode::yAccelRange>("YAccelRange"),
	        fieldProperty<&GPicEffectNode::yAccelTimeRange>("YAccelTimeRange"),
	        fieldProperty<&GPicEffectNode::lifeTime>("LifeTime"),
	    });
	return table;
}

void GPicEffectNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (animTime != 1000)
		collection.addInt("AnimTime", animTime);
	writeRangeProperty(collection, "WidthRange", widthRange);
	writeRangeProperty(collection, "YVelocityRange", yVelocityRange);
	writeRangeProperty(collection, "YAccelRange", yAccelRange);
	writeRangeProperty(collection, "YAccelTimeRange", yAccelTimeRange);
	writeIntProperty(collection, "LifeTime", lifeTime);
}

void GPicEffectNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GPicEffectNode* other = nodeCast<GPicEffectNode>(source))
	{
		widthRange = other->widthRange;
		yVelocityRange = other->yVelocityRange;
		yAccelRange = other->yAccelRange;
		yAccelTimeRange = other->yAccelTimeRange;
		animTime = other->animTime;
		lifeTime = other->lifeTime;
	}
}

void GPicEffectNode::startEffect()
{
	width = randomInEffectRange(widthRange);
	swingTime = 0;
	vy = randomInEffectRange(yVelocityRange);
	ay = randomInEffectRange(yAccelRange);
	remaining = lifeTime;
	accelEnd = remaining - randomIntInEffectRange(yAccelTimeRange);
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
	if (animTime > 0)
	{
		swingTime += static_cast<int>(ms);
		if (swingTime >= animTime)
			swingTime = 0;
		const int q = static_cast<int>(static_cast<long long>(swingTime) * 360 / animTime);
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
