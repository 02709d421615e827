#include "GMainMenuMover.h"

#include "EffectSupport.h"
#include "ILevelPathsSource.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "data/GameNodeTypeIds.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

GMainMenuMover::GMainMenuMover(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager,
                               const core::vector2df& velocityRange)
    : GSelfDrivenMover(reference, parentNode, manager, 30), initialVelocityRange(velocityRange)
{
}

const PropertyTable& GMainMenuMover::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        fieldProperty<&GMainMenuMover::initialVelocityRange>("InitialVelocityRange"),
	    });
	return table;
}

void GMainMenuMover::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	collection.addVector2d("InitialVelocityRange", initialVelocityRange);
}

void GMainMenuMover::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	readTableProperties(this, collection, GMainMenuMover::propertyTable(), baseNodePropertyTable().size());
}

void GMainMenuMover::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GPathMovableNode::copyFrom(source, manager);
	if (source && source->typeId() == typeId())
		initialVelocityRange = static_cast<const GMainMenuMover*>(source)->initialVelocityRange;
}

void GMainMenuMover::onLoaded()
{
	body.share(findChild(internStringId("Body"), 1));
}

void GMainMenuMover::onFirstRender()
{
	if (!isMoving())
		startOn(levelPathsOfAncestor(this, menuDepth(), NodeTypeGMainMenuScene));
}

void GMainMenuMover::startOn(GLevelPaths* paths)
{
	GLevelPath* path = paths ? pickPath(paths) : nullptr;
	if (!path || path->getPoints().size() < 2)
		return;
	baseSpeed = randomInEffectRange(initialVelocityRange);
	const core::array<GLevelPathPoint>& points = path->getPoints();
	const bool reversed = mayReverse() && path->isBothWays() && (Random::instance()->nextUInt() & 1u) == 0;
	core::array<core::vector2df> route;
	route.reallocate(points.size());
	for (u32 i = 0; i < points.size(); ++i)
		route.push_back(randomizePathPoint(points, reversed ? points.size() - 1 - i : i));
	routeStarted = true;
	startRoute(route);
	flattenDepth();
}

bool GMainMenuMover::updateMover(unsigned ms)
{
	// Without a route the mover stays where the scene file put it.
	if (!routeStarted)
		return true;
	updateMovement(ms);
	if (!isMoving())
	{
		leaveParent(body.get());
		return false;
	}
	depthStep();
	flattenDepth();
	return true;
}

void GMainMenuMover::flattenDepth()
{
	setPosition(core::vector3df(Position.X, Position.Y, Position.Y * DepthPerPixel));
}
