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
	        fieldProperty<&GFireworkNode::VelocityXRange>("VelocityXRange"),
	        fieldProperty<&GFireworkNode::VelocityYRange>("VelocityYRange"),
	        fieldProperty<&GFireworkNode::Acceleration>("Acceleration"),
	        fieldProperty<&GFireworkNode::MoveTimeRange>("MoveTimeRange"),
	    });
	return table;
}

void GFireworkNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeRangeProperty(collection, "VelocityXRange", VelocityXRange);
	writeRangeProperty(collection, "VelocityYRange", VelocityYRange);
	writeRangeProperty(collection, "Acceleration", Acceleration);
	writeRangeProperty(collection, "MoveTimeRange", MoveTimeRange);
}

void GFireworkNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GFireworkNode* other = nodeCast<GFireworkNode>(source))
	{
		VelocityXRange = other->VelocityXRange;
		VelocityYRange = other->VelocityYRange;
		Acceleration = other->Acceleration;
		MoveTimeRange = other->MoveTimeRange;
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
	velocity.X = randomInEffectRange(VelocityXRange);
	velocity.Y = randomInEffectRange(VelocityYRange);
	velocity.Z = 0.0f;
	moveTime = truncateToInt(randomInEffectRange(MoveTimeRange));
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
	velocity.X += dt * Acceleration.X;
	velocity.Y += dt * Acceleration.Y;
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
