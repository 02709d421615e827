#include "GWorkerWalkProcess.h"

#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "data/GEventResourcesReturned.h"
#include "scene/NodeEvents.h"

GWorkerWalkProcess::GWorkerWalkProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                                       TemplateCollectionNode* templateCollection, GLevelPath* busPath,
                                       float materialsTaken, int workersTaken)
    : GLevelProcess(levelScene, buildingNode, cargos, templateCollection, busPath), materials(materialsTaken),
      workers(workersTaken)
{
	listenTo(cargosNode);
	listenTo(building);
	if (!startWorkerBus(140.0f, true, "Bus"))
		GWorkerWalkProcess::onWorkStart();
	makeProgressBar();
}

float GWorkerWalkProcess::getProgress() const
{
	return duration != 0.0f ? elapsedWork / duration : 1.0f;
}

bool GWorkerWalkProcess::update(irr::u32 elapsed)
{
	advanceBus(elapsed);
	if (step == 2)
	{
		step = 3;
		if (building)
			building->setWorkersText(workers);
		onWorkStart();
	}
	else if (step == 3)
	{
		step = 4;
	}
	else
	{
		stepBusDeparture();
	}
	if (step > 1 && step < 7)
	{
		elapsedWork += buildTimeFactor() * static_cast<float>(elapsed);
		if (duration <= elapsedWork)
		{
			elapsedWork = 0.0f;
			step = 7;
			removeProgressBar();
			onWorkDone();
			SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, 0.0f, workers));
			reportToLevel(returned.get());
			if (building)
				building->setWorkersText(0);
		}
		else
		{
			showProgress(getProgress());
		}
	}
	return step != 7;
}

void GWorkerWalkProcess::cancel()
{
	if (step == 7)
		return;
	step = 7;
	if (building)
	{
		building->setWork(GBuildingNode::NoWork, nullptr);
		building->setWorkersText(0);
	}
	onCancel();
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, materials, workers));
	reportToLevel(returned.get());
	// The building earns (or stops earning) as it did before the job.
	if (level)
		level->recalculateStats();
}

void GWorkerWalkProcess::onWorkStart()
{
	if (building && building->isFocused())
		building->startWorkSound();
}
