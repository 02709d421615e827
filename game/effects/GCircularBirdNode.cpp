#include "GCircularBirdNode.h"

#include "EffectSupport.h"
#include "GPathMovableNode.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "scene/AnimatorSet.h"
#include "scene/Base.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"
#include "scene/TemplateCollectionNode.h"

#include <cmath>

using namespace irr;

namespace
{
StringId bodyName()
{
	static const StringId id = internStringId("Body");
	return id;
}

StringId flapStateOf(StringId direction)
{
	return internStringId((getStringById(direction) + "_Flap").c_str());
}

constexpr float defaultAngularVelocity = 5.0f;

u32 nextFlapDelay()
{
	return static_cast<u32>(Random::instance()->nextFloat() * 3000.0f + 4000.0f);
}

Base* firstAction(AnimatorSet* set)
{
	return set && set->getAnimatorCount() > 0 ? set->getAnimator(0) : nullptr;
}
} // namespace

GCircularBirdNode::GCircularBirdNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GEffectNode(reference, parentNode, manager)
{
}

GCircularBirdNode::~GCircularBirdNode() = default;

const core::stringw& GCircularBirdNode::typeNameText()
{
	static const core::stringw name(L"GCircularBirdNode");
	return name;
}

const PropertyTable& GCircularBirdNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&GCircularBirdNode::setBirdTemplateID, &GCircularBirdNode::getBirdTemplateID>(
	            "BirdTemplateID"),
	        fieldProperty<&GCircularBirdNode::ellipse1Size>("Ellipse1Size"),
	        fieldProperty<&GCircularBirdNode::ellipse2Size>("Ellipse2Size"),
	        fieldProperty<&GCircularBirdNode::angularVelocity1>("AngularVelocity1"),
	        fieldProperty<&GCircularBirdNode::angularVelocity2>("AngularVelocity2"),
	    });
	return table;
}

void GCircularBirdNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (!birdTemplateId.isEmpty())
		collection.addString("BirdTemplateID", getStringById(birdTemplateId));
	writeRangeProperty(collection, "Ellipse1Size", ellipse1Size);
	writeRangeProperty(collection, "Ellipse2Size", ellipse2Size);
	// Compared with the default rather than 0, so a bird saved standing still loads standing still.
	if (angularVelocity1 != defaultAngularVelocity)
		collection.addFloat("AngularVelocity1", angularVelocity1);
	if (angularVelocity2 != defaultAngularVelocity)
		collection.addFloat("AngularVelocity2", angularVelocity2);
}

void GCircularBirdNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GCircularBirdNode* other = nodeCast<GCircularBirdNode>(source))
	{
		ellipse1Size = other->ellipse1Size;
		ellipse2Size = other->ellipse2Size;
		angle1 = other->angle1;
		angle2 = other->angle2;
		angularVelocity1 = other->angularVelocity1;
		angularVelocity2 = other->angularVelocity2;
		setBirdTemplateID(other->birdTemplateId);
	}
}

bool GCircularBirdNode::onSceneAttached(CEventNodeSceneAttached*)
{
	setBirdTemplateID(birdTemplateId);
	return false;
}

bool GCircularBirdNode::onTemplatesChanged(CEventNodeTemplatesChanged*)
{
	setBirdTemplateID(birdTemplateId);
	return false;
}

void GCircularBirdNode::setBirdTemplateID(StringId id)
{
	body.reset();
	birdTemplateId = id;
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	TemplateCollectionNode* templates = services ? services->getTemplateCollection() : nullptr;
	BaseNode* model = templates && !id.isEmpty() ? templates->findTemplate(id) : nullptr;
	if (model)
		body.share(model->findChild(bodyName(), 1));
	restartEffect();
}

core::vector3df GCircularBirdNode::birdPosition() const
{
	const float a1 = angle1 * core::DEGTORAD;
	const float a2 = angle2 * core::DEGTORAD;
	return core::vector3df(ellipse1Size.X * std::cos(a1) + ellipse2Size.X * std::cos(a2),
	                       ellipse1Size.Y * std::sin(a1) + ellipse2Size.Y * std::sin(a2), 0.0f);
}

void GCircularBirdNode::startEffect()
{
	if (bird)
	{
		bird->setParent(nullptr);
		bird = nullptr;
	}
	bird = body->clone(this, getSceneManager());
	if (!bird)
		return;
	bird->setInternal(true);
	Random* random = Random::instance();
	angle1 = random->nextFloatInRange(0.0f, 360.0f);
	angle2 = random->nextFloatInRange(0.0f, 360.0f);
	bird->setPosition(birdPosition());
	flapTimer = nextFlapDelay();
}

void GCircularBirdNode::face(StringId name)
{
	direction = name;
	Base* running = firstAction(bird->getRunningState());
	if (running && running->isRunning())
	{
		// The wing beat goes on in the new direction.
		const int elapsed = running->getPosition();
		const StringId flap = flapStateOf(name);
		bird->setState(flap, nullptr, StringId());
		if (Base* next = firstAction(bird->findState(flap)))
			next->start(elapsed, true);
	}
	else
	{
		bird->setState(name, nullptr, StringId());
	}
}

bool GCircularBirdNode::updateEffect(unsigned ms)
{
	if (!bird || bird->getParent() != this)
	{
		bird = nullptr;
		return false;
	}
	const float dt = ms * 0.001f;
	angle1 += angularVelocity1 * dt;
	angle2 += angularVelocity2 * dt;
	const float a2 = angle2 * core::DEGTORAD;
	const float product = ellipse2Size.X * ellipse2Size.Y;
	// Adding 0 turns a negative zero positive: a flat second ellipse always faces one way.
	const core::vector2df tangent(-product * std::sin(a2) + 0.0f, product * std::cos(a2) + 0.0f);
	const StringId facing = directionNameForVector(tangent);
	if (facing != direction)
		face(facing);
	bird->setPosition(birdPosition());
	if (flapTimer > ms)
		flapTimer -= ms;
	else
	{
		if (!direction.isEmpty())
			bird->setState(flapStateOf(direction), nullptr, StringId());
		flapTimer += nextFlapDelay();
	}
	return true;
}
