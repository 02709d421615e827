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
	        fieldProperty<&GShieldStarNode::Accel1StartTimeRange>("Accel1StartTimeRange"),
	        fieldProperty<&GShieldStarNode::Accel1EndTimeRange>("Accel1EndTimeRange"),
	        fieldProperty<&GShieldStarNode::Accel2StartTimeRange>("Accel2StartTimeRange"),
	        fieldProperty<&GShieldStarNode::Accel2EndTimeRange>("Accel2EndTimeRange"),
	        fieldProperty<&GShieldStarNode::VelocityAngleRange>("VelocityAngleRange"),
	        fieldProperty<&GShieldStarNode::VelocityRange>("VelocityRange"),
	        fieldProperty<&GShieldStarNode::Accel1Range>("Accel1Range"),
	        fieldProperty<&GShieldStarNode::Accel2Range>("Accel2Range"),
	        fieldProperty<&GShieldStarNode::AngleRange>("AngleRange"),
	        fieldProperty<&GShieldStarNode::AngularVelocityRange>("AngularVelocityRange"),
	        fieldProperty<&GShieldStarNode::LifeTime>("LifeTime"),
	    });
	return table;
}

void GShieldStarNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "Accel1StartTimeRange", Accel1StartTimeRange);
	writeRangeProperty(collection, "Accel1EndTimeRange", Accel1EndTimeRange);
	writeRangeProperty(collection, "Accel2StartTimeRange", Accel2StartTimeRange);
	writeRangeProperty(collection, "Accel2EndTimeRange", Accel2EndTimeRange);
	writeRangeProperty(collection, "VelocityAngleRange", VelocityAngleRange);
	writeRangeProperty(collection, "VelocityRange", VelocityRange);
	writeRangeProperty(collection, "Accel1Range", Accel1Range);
	writeRangeProperty(collection, "Accel2Range", Accel2Range);
	writeRangeProperty(collection, "AngleRange", AngleRange);
	writeRangeProperty(collection, "AngularVelocityRange", AngularVelocityRange);
	writeIntProperty(collection, "LifeTime", LifeTime);
}

void GShieldStarNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GShieldStarNode* other = nodeCast<GShieldStarNode>(source))
	{
		Accel1StartTimeRange = other->Accel1StartTimeRange;
		Accel1EndTimeRange = other->Accel1EndTimeRange;
		Accel2StartTimeRange = other->Accel2StartTimeRange;
		Accel2EndTimeRange = other->Accel2EndTimeRange;
		VelocityAngleRange = other->VelocityAngleRange;
		VelocityRange = other->VelocityRange;
		Accel1Range = other->Accel1Range;
		Accel2Range = other->Accel2Range;
		AngleRange = other->AngleRange;
		AngularVelocityRange = other->AngularVelocityRange;
		LifeTime = other->LifeTime;
	}
}

void GShieldStarNode::startEffect()
{
	const float a = randomInEffectRange(VelocityAngleRange) * core::DEGTORAD;
	direction = core::vector3df(std::cos(a), std::sin(a), 0.0f);
	speed = randomInEffectRange(VelocityRange);
	accel1 = randomInEffectRange(Accel1Range);
	accel2 = randomInEffectRange(Accel2Range);
	angle = randomInEffectRange(AngleRange);
	angularVelocity = randomInEffectRange(AngularVelocityRange);
	remaining = LifeTime;
	accel1Start = remaining - randomIntInEffectRange(Accel1StartTimeRange);
	accel1End = remaining - randomIntInEffectRange(Accel1EndTimeRange);
	accel2Start = remaining - randomIntInEffectRange(Accel2StartTimeRange);
	accel2End = remaining - randomIntInEffectRange(Accel2EndTimeRange);
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
