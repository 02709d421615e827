#include "GCloudsProcess.h"

#include "core/Random.h"
#include "effects/GPathMovableNode.h"
#include "scene/NodeEvents.h"
#include "scene/NodeMath.h"

using namespace irr;

GCloudsProcess::GCloudsProcess(BaseNode* parent, TemplateCollectionNode* templateCollection)
    : GLevelProcess(nullptr, nullptr, parent, templateCollection, nullptr), parentNode(parent)
{
	listenTo(parentNode);
	for (int i = 0; i < 3; ++i)
		spawnCloud();
}

GCloudsProcess::~GCloudsProcess()
{
	for (const SmartPointer<GPathMovableNode>& cloud : clouds)
		if (cloud->getParent())
			cloud->getParent()->removeChild(cloud.get());
}

const EventMap& GCloudsProcess::eventMap()
{
	using S = GCloudsProcess;
	static const EventMap table = extendEventMap(
	    GLevelProcess::eventMap(),
	    {{CEventNodeStateFinished::TypeId, &eventHandler<S, CEventNodeStateFinished, &S::onCloudArrived>}});
	return table;
}

bool GCloudsProcess::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

core::vector2df GCloudsProcess::entryPoint(int side)
{
	Random* random = Random::instance();
	if (side == 0)
		return core::vector2df(random->nextFloat() * 1024.0f, -50.0f);
	return core::vector2df(1074.0f, random->nextFloat() * 550.0f);
}

void GCloudsProcess::spawnCloud()
{
	if (!templates || !parentNode)
		return;
	static const char* const names[] = {"Cloud1", "Cloud2", "Cloud3"};
	Random* random = Random::instance();
	GPathMovableNode* cloud = nodeCast<GPathMovableNode>(
	    cloneTemplate(templates.get(), names[random->nextUInt() % 3], parentNode, NodeTypeGPathMovableNode));
	if (!cloud)
		return;
	const int side = static_cast<int>(random->nextUInt() & 1);
	const core::vector2df start = entryPoint(side);
	const core::vector2df drift = rotateByWholeDegrees(core::vector2df(1500.0f, 0.0f), -210);
	clouds.push_back(shareRef(cloud));
	cloud->setSpeed(static_cast<float>(random->nextUInt() % 10 + 30));
	core::array<core::vector2df> points;
	points.push_back(start);
	points.push_back(start + drift);
	cloud->start(points, processName("MovingTo").id, false, false);
	++cloudsMade;
}

bool GCloudsProcess::update(u32 elapsed)
{
	if (!templates)
		return false;
	// A cloud may arrive and leave the array while the others still move.
	const std::vector<SmartPointer<GPathMovableNode>> moving = clouds;
	for (const SmartPointer<GPathMovableNode>& cloud : moving)
		cloud->updateMovement(elapsed);
	if (elapsed < static_cast<u32>(countdown))
	{
		countdown -= static_cast<s32>(elapsed);
	}
	else
	{
		countdown += 10000;
		spawnCloud();
	}
	return true;
}

bool GCloudsProcess::onCloudArrived(CEventNodeStateFinished* event)
{
	if (!event || event->stateName != processName("MovingTo"))
		return false;
	for (size_t i = 0; i < clouds.size(); ++i)
	{
		if (clouds[i].get() != event->node)
			continue;
		SmartPointer<GPathMovableNode> cloud = clouds[i];
		clouds.erase(clouds.begin() + static_cast<std::ptrdiff_t>(i));
		if (cloud->getParent())
			cloud->getParent()->removeChild(cloud.get());
		++cloudsRemoved;
		break;
	}
	return false;
}
