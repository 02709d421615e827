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
	        fieldProperty<&GBaloonNode::widthRange>("WidthRange"),
	        fieldProperty<&GBaloonNode::xVelocityRange>("XVelocityRange"),
	        fieldProperty<&GBaloonNode::yVelocityRange>("YVelocityRange"),
	        fieldProperty<&GBaloonNode::yAccelRange>("YAccelRange"),
	        fieldProperty<&GBaloonNode::yAccelTimeRange>("YAccelTimeRange"),
	        fieldProperty<&GBaloonNode::lifeTime>("LifeTime"),
	    });
	return table;
}

void GBaloonNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "WidthRange", widthRange);
	writeRangeProperty(collection, "XVelocityRange", xVelocityRange);
	writeRangeProperty(collection, "YVelocityRange", yVelocityRange);
	writeRangeProperty(collection, "YAccelRange", yAccelRange);
	writeRangeProperty(collection, "YAccelTimeRange", yAccelTimeRange);
	writeIntProperty(collection, "LifeTime", lifeTime);
}

void GBaloonNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GBaloonNode* other = nodeCast<GBaloonNode>(source))
	{
		widthRange = other->widthRange;
		xVelocityRange = other->xVelocityRange;
		yVelocityRange = other->yVelocityRange;
		yAccelRange = other->yAccelRange;
		yAccelTimeRange = other->yAccelTimeRange;
		lifeTime = other->lifeTime;
	}
}

void GBaloonNode::startEffect()
{
	vx = randomInEffectRange(xVelocityRange);
	vy = randomInEffectRange(yVelocityRange);
	ay = randomInEffectRange(yAccelRange);
	width = randomInEffectRange(widthRange);
	remaining = lifeTime;
	accelEnd = remaining - randomIntInEffectRange(yAccelTimeRange);
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
