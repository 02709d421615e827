#include "GServeBusProcess.h"

#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "data/GBuildingType.h"
#include "data/GEventServeDone.h"
#include "effects/GPathMovableNode.h"
#include "scene/NodeEvents.h"

GServeBusProcess::GServeBusProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                                   TemplateCollectionNode* templateCollection, GLevelPath* busPath)
    : GLevelProcess(levelScene, buildingNode, cargos, templateCollection, busPath)
{
	listenTo(cargosNode);
	listenTo(building);
	startWorkerBus(180.0f, false, nullptr);
	makeProgressBar();
	remaining = waitTime();
}

// The visit lasts the serve time of the building's record; the progress is measured against the same.
float GServeBusProcess::waitTime() const
{
	return record ? record->getServeTime() : 0.0f;
}

float GServeBusProcess::getProgress() const
{
	const float total = waitTime();
	return total > 0.0f ? (total - remaining) / total : 1.0f;
}

bool GServeBusProcess::update(irr::u32 elapsed)
{
	advanceBus(elapsed);
	switch (step)
	{
	case 2:
		step = 3;
		break;
	case 3:
		remaining -= static_cast<float>(elapsed);
		if (remaining < 0.0f)
		{
			remaining = 0.0f;
			step = 4;
			removeProgressBar();
			SmartPointer<GEventServeDone> done(new GEventServeDone(building));
			reportToLevel(done.get());
		}
		else
		{
			showProgress(getProgress());
		}
		break;
	case 4:
		step = 5;
		if (bus)
			bus->start(pathPoints(path.get()), processName("MovingFrom").id, true, false);
		else
			step = 6;
		break;
	case 6:
		step = 7;
		removeBus();
		break;
	default:
		break;
	}
	return step != 7;
}

void GServeBusProcess::cancel()
{
	if (step >= 4)
		return;
	remaining = 0.0f;
	removeProgressBar();
	// A bus still driving in turns away at once instead of jumping to the building.
	if (step < 2)
		removeBus();
	step = 4;
	if (building)
		building->setWork(GBuildingNode::NoWork, nullptr);
	if (level)
		level->recalculateStats();
}
