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
	        fieldProperty<&GSpiralMovableNode::rRange>("RRange"),
	        fieldProperty<&GSpiralMovableNode::rVelocityRange>("RVelocityRange"),
	        fieldProperty<&GSpiralMovableNode::rotVelocityRange>("RotVelocityRange"),
	        fieldProperty<&GSpiralMovableNode::angleRange>("AngleRange"),
	        fieldProperty<&GSpiralMovableNode::angleVelocityRange>("AngleVelocityRange"),
	        fieldProperty<&GSpiralMovableNode::lifeTime>("LifeTime"),
	    });
	return table;
}

void GSpiralMovableNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "RRange", rRange);
	writeRangeProperty(collection, "RVelocityRange", rVelocityRange);
	writeRangeProperty(collection, "RotVelocityRange", rotVelocityRange);
	writeRangeProperty(collection, "AngleRange", angleRange);
	writeRangeProperty(collection, "AngleVelocityRange", angleVelocityRange);
	writeIntProperty(collection, "LifeTime", lifeTime);
}

void GSpiralMovableNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GSpiralMovableNode* other = nodeCast<GSpiralMovableNode>(source))
	{
		rRange = other->rRange;
		rVelocityRange = other->rVelocityRange;
		rotVelocityRange = other->rotVelocityRange;
		angleRange = other->angleRange;
		angleVelocityRange = other->angleVelocityRange;
		lifeTime = other->lifeTime;
	}
}

void GSpiralMovableNode::placeOnSpiral()
{
	setPosition(centre + core::vector3df(r * std::cos(angle), r * std::sin(angle), 0.0f));
}

void GSpiralMovableNode::startEffect()
{
	r = randomInEffectRange(rRange);
	rVelocity = randomInEffectRange(rVelocityRange);
	rotVelocity = randomInEffectRange(rotVelocityRange);
	angle = randomInEffectRange(angleRange);
	angleVelocity = randomInEffectRange(angleVelocityRange);
	remaining = lifeTime;
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
