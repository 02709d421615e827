#include "GBaloonNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>

using namespace irr;

GBaloonNode::GBaloonNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

const core::stringw& GBaloonNode::typeNameText()
{
	static const core::stringw name(L"GBaloonNode");
	return name;
}

const PropertyTable& GBaloonNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GBaloonNode::WidthRange>("WidthRange"),
	        fieldProperty<&GBaloonNode::XVelocityRange>("XVelocityRange"),
	        fieldProperty<&GBaloonNode::YVelocityRange>("YVelocityRange"),
	        fieldProperty<&GBaloonNode::YAccelRange>("YAccelRange"),
	        fieldProperty<&GBaloonNode::YAccelTimeRange>("YAccelTimeRange"),
	        fieldProperty<&GBaloonNode::LifeTime>("LifeTime"),
	    });
	return table;
}

void GBaloonNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "WidthRange", WidthRange);
	writeRangeProperty(collection, "XVelocityRange", XVelocityRange);
	writeRangeProperty(collection, "YVelocityRange", YVelocityRange);
	writeRangeProperty(collection, "YAccelRange", YAccelRange);
	writeRangeProperty(collection, "YAccelTimeRange", YAccelTimeRange);
	writeIntProperty(collection, "LifeTime", LifeTime);
}

void GBaloonNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GBaloonNode* other = nodeCast<GBaloonNode>(source))
	{
		WidthRange = other->WidthRange;
		XVelocityRange = other->XVelocityRange;
		YVelocityRange = other->YVelocityRange;
		YAccelRange = other->YAccelRange;
		YAccelTimeRange = other->YAccelTimeRange;
		LifeTime = other->LifeTime;
	}
}

void GBaloonNode::startEffect()
{
	vx = randomInEffectRange(XVelocityRange);
	vy = randomInEffectRange(YVelocityRange);
	ay = randomInEffectRange(YAccelRange);
	width = randomInEffectRange(WidthRange);
	remaining = LifeTime;
	accelEnd = remaining - randomIntInEffectRange(YAccelTimeRange);
	start = Position;
	if ((Random::instance()->nextUInt() & 1u) == 0)
		vx = -vx;
}

bool GBaloonNode::updateEffect(unsigned ms)
{
	if (!liveOn(remaining, ms))
		return false;
	const float dt = ms * 0.001f;
	if (std::fabs(Position.X - start.X) >= width)
		vx = -vx;
	if (remaining > accelEnd)
		vy += ay * dt;
	const float x = Position.X + vx * dt;
	const float y = Position.Y + vy * dt;
	// Younger balloons draw over older ones where they overlap.
	const float z = (x + y) * 0.0001f + remaining * 0.01f + vy * 0.1f;
	setPosition(core::vector3df(x, y, z));
	return true;
}
