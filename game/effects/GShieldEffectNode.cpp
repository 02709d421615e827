#include "GShieldEffectNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>

using namespace irr;

namespace
{
StringId runStateName()
{
	static const StringId id = internStringId("Run");
	return id;
}
} // namespace

GShieldEffectNode::GShieldEffectNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

const core::stringw& GShieldEffectNode::typeNameText()
{
	static const core::stringw name(L"GShieldEffectNode");
	return name;
}

const PropertyTable& GShieldEffectNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GShieldEffectNode::area1Rect1Size>("Area1Rect1Size"),
	        fieldProperty<&GShieldEffectNode::area1Rect2Size>("Area1Rect2Size"),
	        fieldProperty<&GShieldEffectNode::area2RectSize>("Area2RectSize"),
	        fieldProperty<&GShieldEffectNode::velocityRange>("VelocityRange"),
	        fieldProperty<&GShieldEffectNode::velocityPower>("VelocityPower"),
	        fieldProperty<&GShieldEffectNode::movingTime>("MovingTime"),
	        fieldProperty<&GShieldEffectNode::disappearWaitTime>("DisappearWaitTime"),
	        fieldProperty<&GShieldEffectNode::disappearTime>("DisappearTime"),
	    });
	return table;
}

void GShieldEffectNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "Area1Rect1Size", area1Rect1Size);
	writeRangeProperty(collection, "Area1Rect2Size", area1Rect2Size);
	writeRangeProperty(collection, "Area2RectSize", area2RectSize);
	if (velocityPower != 0.0f)
		collection.addFloat("VelocityPower", velocityPower);
	writeIntProperty(collection, "MovingTime", movingTime);
	writeIntProperty(collection, "DisappearWaitTime", disappearWaitTime);
	writeIntProperty(collection, "DisappearTime", disappearTime);
}

void GShieldEffectNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GShieldEffectNode* other = nodeCast<GShieldEffectNode>(source))
	{
		area1Rect1Size = other->area1Rect1Size;
		area1Rect2Size = other->area1Rect2Size;
		area2RectSize = other->area2RectSize;
		velocityPower = other->velocityPower;
		movingTime = other->movingTime;
		disappearWaitTime = other->disappearWaitTime;
		disappearTime = other->disappearTime;
	}
}

void GShieldEffectNode::startEffect()
{
	Random* random = Random::instance();
	const float aw = area1Rect1Size.X * 0.5f;
	const float ah = area1Rect1Size.Y * 0.5f;
	const float bw = area1Rect2Size.X * 0.5f;
	const float bh = area1Rect2Size.Y * 0.5f;
	switch (random->nextUInt() & 3u)
	{
	case 0: // left band
		start.X = random->nextFloatInRange(-aw, -bw);
		start.Y = random->nextFloatInRange(-ah, ah);
		break;
	case 1: // top band
		start.X = random->nextFloatInRange(-bw, bw);
		start.Y = random->nextFloatInRange(-ah, -bh);
		break;
	case 2: // right band
		start.X = random->nextFloatInRange(bw, aw);
		start.Y = random->nextFloatInRange(-ah, ah);
		break;
	default: // bottom band
		start.X = random->nextFloatInRange(-bw, bw);
		start.Y = random->nextFloatInRange(bh, ah);
		break;
	}
	start.Z = 0.0f;
	const float cw = area2RectSize.X * 0.5f;
	const float ch = area2RectSize.Y * 0.5f;
	target.X = random->nextFloatInRange(-cw, cw);
	target.Y = random->nextFloatInRange(-ch, ch);
	target.Z = target.X + 100.0f + target.Y;
	phaseTime = 0;
	phase = 1;
	setPosition(start);
	setChildrenState(runStateName(), nullptr);
	refreshAbsolute();
}

bool GShieldEffectNode::updateEffect(unsigned ms)
{
	phaseTime += static_cast<int>(ms);
	switch (phase)
	{
	case 1:
		if (phaseTime >= movingTime)
		{
			setPosition(target);
			phase = 2;
			phaseTime = 0;
		}
		else
		{
			const float f = std::pow(static_cast<float>(phaseTime) / movingTime, velocityPower);
			const float x = start.X + f * (target.X - start.X);
			const float y = start.Y + f * (target.Y - start.Y);
			setPosition(core::vector3df(x, y, x + y + 100.0f));
		}
		break;
	case 2:
		if (phaseTime >= disappearWaitTime)
		{
			phase = 3;
			phaseTime = 0;
		}
		break;
	case 3:
		if (phaseTime >= disappearTime)
		{
			phase = 0;
			phaseTime = 0;
			removeFromParent(this);
			return false;
		}
		else
		{
			video::SColor tint = TintColor;
			tint.setAlpha(255u - static_cast<u32>(std::floor(phaseTime * 255.0f / disappearTime + 0.5f)));
			setTintColor(tint);
		}
		break;
	default:
		break;
	}
	return true;
}
