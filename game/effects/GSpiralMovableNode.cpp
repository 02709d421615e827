#include "GSpiralMovableNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>

using namespace irr;

GSpiralMovableNode::GSpiralMovableNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

const core::stringw& GSpiralMovableNode::typeNameText()
{
	static const core::stringw name(L"GSpiralMovableNode");
	return name;
}

const PropertyTable& GSpiralMovableNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GSpiralMovableNode::RRange>("RRange"),
	        fieldProperty<&GSpiralMovableNode::RVelocityRange>("RVelocityRange"),
	        fieldProperty<&GSpiralMovableNode::RotVelocityRange>("RotVelocityRange"),
	        fieldProperty<&GSpiralMovableNode::AngleRange>("AngleRange"),
	        fieldProperty<&GSpiralMovableNode::AngleVelocityRange>("AngleVelocityRange"),
	        fieldProperty<&GSpiralMovableNode::LifeTime>("LifeTime"),
	    });
	return table;
}

void GSpiralMovableNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "RRange", RRange);
	writeRangeProperty(collection, "RVelocityRange", RVelocityRange);
	writeRangeProperty(collection, "RotVelocityRange", RotVelocityRange);
	writeRangeProperty(collection, "AngleRange", AngleRange);
	writeRangeProperty(collection, "AngleVelocityRange", AngleVelocityRange);
	writeIntProperty(collection, "LifeTime", LifeTime);
}

void GSpiralMovableNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GSpiralMovableNode* other = nodeCast<GSpiralMovableNode>(source))
	{
		RRange = other->RRange;
		RVelocityRange = other->RVelocityRange;
		RotVelocityRange = other->RotVelocityRange;
		AngleRange = other->AngleRange;
		AngleVelocityRange = other->AngleVelocityRange;
		LifeTime = other->LifeTime;
	}
}

void GSpiralMovableNode::placeOnSpiral()
{
	setPosition(centre + core::vector3df(r * std::cos(angle), r * std::sin(angle), 0.0f));
}

void GSpiralMovableNode::startEffect()
{
	r = randomInEffectRange(RRange);
	rVelocity = randomInEffectRange(RVelocityRange);
	rotVelocity = randomInEffectRange(RotVelocityRange);
	angle = randomInEffectRange(AngleRange);
	angleVelocity = randomInEffectRange(AngleVelocityRange);
	remaining = LifeTime;
	centre = Position;
	placeOnSpiral();
}

bool GSpiralMovableNode::updateEffect(unsigned ms)
{
	if (!liveOn(remaining, ms))
		return false;
	const float dt = ms * 0.001f;
	r += rVelocity * dt;
	angle += angleVelocity * dt;
	placeOnSpiral();
	setRotation(core::vector3df(Rotation.X, Rotation.Y, Rotation.Z + rotVelocity * dt));
	return true;
}
