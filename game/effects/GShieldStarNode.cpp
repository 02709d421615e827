#include "GShieldStarNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>

using namespace irr;

GShieldStarNode::GShieldStarNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

const core::stringw& GShieldStarNode::typeNameText()
{
	static const core::stringw name(L"GShieldStarNode");
	return name;
}

const PropertyTable& GShieldStarNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GShieldStarNode::accel1StartTimeRange>("Accel1StartTimeRange"),
	        fieldProperty<&GShieldStarNode::accel1EndTimeRange>("Accel1EndTimeRange"),
	        fieldProperty<&GShieldStarNode::accel2StartTimeRange>("Accel2StartTimeRange"),
	        fieldProperty<&GShieldStarNode::accel2EndTimeRange>("Accel2EndTimeRange"),
	        fieldProperty<&GShieldStarNode::velocityAngleRange>("VelocityAngleRange"),
	        fieldProperty<&GShieldStarNode::velocityRange>("VelocityRange"),
	        fieldProperty<&GShieldStarNode::accel1Range>("Accel1Range"),
	        fieldProperty<&GShieldStarNode::accel2Range>("Accel2Range"),
	        fieldProperty<&GShieldStarNode::angleRange>("AngleRange"),
	        fieldProperty<&GShieldStarNode::angularVelocityRange>("AngularVelocityRange"),
	        fieldProperty<&GShieldStarNode::lifeTime>("LifeTime"),
	    });
	return table;
}

void GShieldStarNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "Accel1StartTimeRange", accel1StartTimeRange);
	writeRangeProperty(collection, "Accel1EndTimeRange", accel1EndTimeRange);
	writeRangeProperty(collection, "Accel2StartTimeRange", accel2StartTimeRange);
	writeRangeProperty(collection, "Accel2EndTimeRange", accel2EndTimeRange);
	writeRangeProperty(collection, "VelocityAngleRange", velocityAngleRange);
	writeRangeProperty(collection, "VelocityRange", velocityRange);
	writeRangeProperty(collection, "Accel1Range", accel1Range);
	writeRangeProperty(collection, "Accel2Range", accel2Range);
	writeRangeProperty(collection, "AngleRange", angleRange);
	writeRangeProperty(collection, "AngularVelocityRange", angularVelocityRange);
	writeIntProperty(collection, "LifeTime", lifeTime);
}

void GShieldStarNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GShieldStarNode* other = nodeCast<GShieldStarNode>(source))
	{
		accel1StartTimeRange = other->accel1StartTimeRange;
		accel1EndTimeRange = other->accel1EndTimeRange;
		accel2StartTimeRange = other->accel2StartTimeRange;
		accel2EndTimeRange = other->accel2EndTimeRange;
		velocityAngleRange = other->velocityAngleRange;
		velocityRange = other->velocityRange;
		accel1Range = other->accel1Range;
		accel2Range = other->accel2Range;
		angleRange = other->angleRange;
		angularVelocityRange = other->angularVelocityRange;
		lifeTime = other->lifeTime;
	}
}

void GShieldStarNode::startEffect()
{
	const float a = randomInEffectRange(velocityAngleRange) * core::DEGTORAD;
	direction = core::vector3df(std::cos(a), std::sin(a), 0.0f);
	speed = randomInEffectRange(velocityRange);
	accel1 = randomInEffectRange(accel1Range);
	accel2 = randomInEffectRange(accel2Range);
	angle = randomInEffectRange(angleRange);
	angularVelocity = randomInEffectRange(angularVelocityRange);
	remaining = lifeTime;
	accel1Start = remaining - randomIntInEffectRange(accel1StartTimeRange);
	accel1End = remaining - randomIntInEffectRange(accel1EndTimeRange);
	accel2Start = remaining - randomIntInEffectRange(accel2StartTimeRange);
	accel2End = remaining - randomIntInEffectRange(accel2EndTimeRange);
}

bool GShieldStarNode::updateEffect(unsigned ms)
{
	if (!liveOn(remaining, ms))
		return false;
	const float dt = ms * 0.001f;
	if (accel1End < remaining && remaining < accel1Start)
		speed += accel1 * dt;
	if (accel2End < remaining && remaining < accel2Start)
		speed += accel2 * dt;
	setPosition(Position + direction * (speed * dt));
	angle += angularVelocity * dt;
	setRotation(core::vector3df(0.0f, 0.0f, angle));
	return true;
}
