#include "GLevelProcess.h"

#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "GNeutralCarTraffic.h"
#include "app/GBaseSceneNode.h"
#include "data/GBuildingType.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPath.h"
#include "effects/GPathMovableNode.h"
#include "nodes/BaseProgressBarNode.h"
#include "scene/NodeEvents.h"
#include "scene/TemplateCollectionNode.h"

using namespace irr;

StringId processName(const char* name)
{
	return internStringId(name);
}

GLevelProcess::GLevelProcess()
{
	mask |= EventCategoryGame;
}

GLevelProcess::GLevelProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                             TemplateCollectionNode* templateCollection, GLevelPath* busPath)
    : level(levelScene), cargosNode(cargos), building(buildingNode), templates(shareRef(templateCollection)),
      path(shareRef(busPath))
{
	mask |= EventCategoryGame | EventCategoryNode;
	if (building)
		record = shareRef(building->getRecord());
}

GLevelProcess::~GLevelProcess()
{
	for (u32 i = 0; i < listened.size(); ++i)
		listened[i]->removePostListener(this);
	removeBus();
	removeProgressBar();
}

const EventMap& GLevelProcess::eventMap()
{
	using S = GLevelProcess;
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {{CEventNodeStateFinished::TypeId, &eventHandler<S, CEventNodeStateFinished, &S::onBusMoveFinished>}});
	return table;
}

bool GLevelProcess::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

void GLevelProcess::report(GGameLevelScene* level, CEvent* event)
{
	if (!level || !event)
		return;
	SmartPointer<CEvent> keep(shareRef(event));
	if (!level->onEvent(event))
		level->sendToParent(DeliverSelfThenParent, event);
}

BaseNode* GLevelProcess::cloneTemplate(TemplateCollectionNode* templates, const char* name, BaseNode* parent, int kind)
{
	BaseNode* source = templates ? templates->findTemplate(processName(name)) : nullptr;
	if (!source || !parent || (kind >= 0 && !source->isKindOf(kind)))
		return nullptr;
	BaseNode* made = source->clone(parent, nullptr);
	if (made)
		made->setVisible(true);
	return made;
}

core::array<core::vector2df> GLevelProcess::pathPoints(const GLevelPath* path)
{
	core::array<core::vector2df> points;
	if (!path)
		return points;
	const core::array<GLevelPathPoint>& source = path->getPoints();
	for (u32 i = 0; i < source.size(); ++i)
		points.push_back(core::vector2df(source[i].x, source[i].y));
	return points;
}

void GLevelProcess::listenTo(BaseNode* node)
{
	if (!node || listened.linear_search(node) >= 0)
		return;
	node->postListeners.push_back(this);
	listened.push_back(node);
}

bool GLevelProcess::startWorkerBus(float speed, bool withTraffic, const char* cue)
{
	const core::array<core::vector2df> points = pathPoints(path.get());
	GPathMovableNode* made =
	    points.size() >= 2
	        ? nodeCast<GPathMovableNode>(cloneTemplate(templates.get(), "Bus", cargosNode, NodeTypeGPathMovableNode))
	        : nullptr;
	if (!made)
	{
		// A missing bus is treated like a missing path: the workers are there at once.
		step = 2;
		return false;
	}
	bus = shareRef(made);
	if (withTraffic && level)
		bus->setTrafficManager(level->getNeutralCarTraffic(), true);
	bus->setSpeed(speed);
	step = 1;
	bus->start(points, processName("MovingTo").id, false, false);
	if (cue)
		GBaseSceneNode::playCue(cue);
	return true;
}

void GLevelProcess::advanceBus(u32 elapsed)
{
	if (bus)
		bus->updateMovement(elapsed);
}

void GLevelProcess::stepBusDeparture()
{
	if (step == 4)
	{
		if (bus)
		{
			step = 5;
			bus->setState(processName("MovingFrom"), nullptr, StringId());
		}
		else
		{
			step = 6;
		}
	}
	else if (step == 6)
	{
		removeBus();
	}
}

bool GLevelProcess::onBusMoveFinished(CEventNodeStateFinished* event)
{
	if (!event || !bus || event->node != bus.get())
		return false;
	// Only the expected ends count: a bus still arriving after a cancel must not restart the work.
	if (event->stateName == processName("MovingTo") && step == 1)
		step = 2;
	else if (event->stateName == processName("MovingFrom") && step == 5)
		step = 6;
	return false;
}

void GLevelProcess::removeBus()
{
	SmartPointer<GPathMovableNode> gone = bus;
	bus.reset();
	if (gone && gone->getParent())
		gone->getParent()->removeChild(gone.get());
}

void GLevelProcess::makeProgressBar()
{
	auto* made = static_cast<BaseProgressBarNode*>(
	    cloneTemplate(templates.get(), "ProgressBarOverBuilding", building, NodeTypeBaseProgressBarNode));
	if (!made)
		return;
	progressBar = shareRef(made);
	progressBar->setTemplateName(progressBar->getTemplateName());
	progressBar->setVisible(true);
	progressBar->setMinValue(0.0f);
	progressBar->setMaxValue(1.0f);
	progressBar->setValue(0.0f);
}

void GLevelProcess::showProgress(float value)
{
	if (progressBar)
		progressBar->setValue(value);
}

void GLevelProcess::removeProgressBar()
{
	SmartPointer<BaseProgressBarNode> gone = progressBar;
	progressBar.reset();
	if (gone && gone->getParent())
		gone->getParent()->removeChild(gone.get());
}

float GLevelProcess::buildTimeFactor() const
{
	const GLevelModifierValues* values = level ? level->getModifierValues() : nullptr;
	return values ? values->buildTimeM : 1.0f;
}
