#include "GLakeWaveNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "nodes/RandomRange.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>

using namespace irr;

namespace
{
const StringId& nameId(const char* name, StringId& cache)
{
	if (cache.isEmpty())
		cache = internStringId(name);
	return cache;
}

StringId waveName()
{
	static StringId id;
	return nameId("Wave", id);
}

StringId starName()
{
	static StringId id;
	return nameId("Star", id);
}

StringId normalStateName()
{
	static StringId id;
	return nameId("Normal", id);
}

StringId blinkStateName()
{
	static StringId id;
	return nameId("Blink", id);
}

BaseNode* directChild(BaseNode* node, StringId name)
{
	return node->findChild(name, 1);
}
} // namespace

GLakeWaveNode::GLakeWaveNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager, WaveTaskPeriod)
{
}

const core::stringw& GLakeWaveNode::typeNameText()
{
	static const core::stringw name(L"GLakeWaveNode");
	return name;
}

const PropertyTable& GLakeWaveNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GLakeWaveNode::starBlinkRange>("StarBlinkRange"),
	        fieldProperty<&GLakeWaveNode::velocity>("Velocity"),
	        fieldProperty<&GLakeWaveNode::lifeTime>("LifeTime"),
	    });
	return table;
}

void GLakeWaveNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (starBlinkRange != core::vector2df(5000.0f, 10000.0f))
		collection.addVector2d("StarBlinkRange", starBlinkRange);
	const float e = 0.000001f;
	if (std::fabs(velocity.X) > e || std::fabs(velocity.Y) > e || std::fabs(velocity.Z) > e)
		collection.addVector3d("Velocity", velocity);
	if (lifeTime != -1)
		collection.addInt("LifeTime", lifeTime);
}

void GLakeWaveNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GLakeWaveNode* other = nodeCast<GLakeWaveNode>(source))
	{
		starBlinkRange = other->starBlinkRange;
		velocity = other->velocity;
		lifeTime = other->lifeTime;
	}
}

void GLakeWaveNode::onLoaded()
{
	wave.share(directChild(this, waveName()));
	star.share(directChild(this, starName()));
}

void GLakeWaveNode::startEffect()
{
	if (wave)
	{
		wave->setState(normalStateName(), nullptr, StringId());
		AnimatorSet* set = wave->findState(normalStateName());
		KeyFrame* keyFrame = set && set->getAnimatorCount() > 0 ? asKeyFrame(set->getAnimator(0)) : nullptr;
		const int length = keyFrame ? keyFrame->getDuration() : 0;
		// Neighbouring waves start at different points of the same animation.
		if (length > 1)
			keyFrame->start(static_cast<int>(Random::instance()->nextUInt() % static_cast<u32>(length)), true);
	}
	blinkTimer = truncateToInt(Random::instance()->nextFloatInRange(500.0f, starBlinkRange.Y));
	if (star)
		star->setVisible(false);
}

bool GLakeWaveNode::updateEffect(unsigned ms)
{
	const float dt = ms * 0.001f;
	setPosition(Position + velocity * dt);
	if (lifeTime > 0)
	{
		if (lifeTime <= static_cast<int>(ms))
		{
			if (star)
				star->stopAllStates(false);
			removeFromParent(this);
			return false;
		}
		lifeTime -= static_cast<int>(ms);
		if (lifeTime < 1500)
		{
			const float t = (1500.0f - lifeTime) / 1500.0f;
			// Opaque white towards transparent white: any other tint is lost.
			setTintColor(video::SColor(static_cast<u32>(255.0f * (1.0f - t)), 255, 255, 255));
		}
	}
	if (star)
	{
		if (blinkTimer > static_cast<int>(ms))
			blinkTimer -= static_cast<int>(ms);
		else
		{
			star->setVisible(true);
			star->setState(blinkStateName(), nullptr, StringId());
			Random* random = Random::instance();
			const float x = random->nextFloatInRange(0.0f, Bounds.X);
			const float y = random->nextFloatInRange(0.0f, Bounds.Y);
			star->setPosition(core::vector3df(x, y, 1.0f));
			blinkTimer = truncateToInt(blinkTimer + randomInEffectRange(starBlinkRange));
		}
	}
	return true;
}
