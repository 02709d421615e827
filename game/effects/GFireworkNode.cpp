#include "GFireworkNode.h"

#include "EffectSupport.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "nodes/RandomRange.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

namespace
{
StringId upStateName()
{
	static const StringId id = internStringId("Up");
	return id;
}

StringId boostStateName()
{
	static const StringId id = internStringId("Boost");
	return id;
}
} // namespace

GFireworkNode::GFireworkNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

const core::stringw& GFireworkNode::typeNameText()
{
	static const core::stringw name(L"GFireworkNode");
	return name;
}

const PropertyTable& GFireworkNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GFireworkNode::velocityXRange>("VelocityXRange"),
	        fieldProperty<&GFireworkNode::velocityYRange>("VelocityYRange"),
	        fieldProperty<&GFireworkNode::acceleration>("Acceleration"),
	        fieldProperty<&GFireworkNode::moveTimeRange>("MoveTimeRange"),
	    });
	return table;
}

void GFireworkNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "VelocityXRange", velocityXRange);
	writeRangeProperty(collection, "VelocityYRange", velocityYRange);
	writeRangeProperty(collection, "Acceleration", acceleration);
	writeRangeProperty(collection, "MoveTimeRange", moveTimeRange);
}

void GFireworkNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GFireworkNode* other = nodeCast<GFireworkNode>(source))
	{
		velocityXRange = other->velocityXRange;
		velocityYRange = other->velocityYRange;
		acceleration = other->acceleration;
		moveTimeRange = other->moveTimeRange;
	}
}

void GFireworkNode::startEffect()
{
	Random* random = Random::instance();
	core::vector3df position = Position;
	position.X += random->nextFloat() * 20.0f - 10.0f;
	position.Y += random->nextFloat() * 10.0f - 5.0f;
	position.Z += 2000.0f;
	setPosition(position);
	setChildrenState(upStateName(), nullptr);
	velocity.X = randomInEffectRange(velocityXRange);
	velocity.Y = randomInEffectRange(velocityYRange);
	velocity.Z = 0.0f;
	moveTime = truncateToInt(randomInEffectRange(moveTimeRange));
}

bool GFireworkNode::updateEffect(unsigned ms)
{
	moveTime -= static_cast<int>(ms);
	if (moveTime < 0)
	{
		setChildrenState(boostStateName(), nullptr);
		return false;
	}
	const float dt = ms * 0.001f;
	velocity.X += dt * acceleration.X;
	velocity.Y += dt * acceleration.Y;
	setPosition(Position + velocity * dt);
	return true;
}

bool GFireworkNode::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	if (!event || event->stateName != boostStateName())
		return false;
	removeFromParent(this);
	return true;
}
