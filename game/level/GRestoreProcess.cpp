#include "GRestoreProcess.h"

#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "data/GBuildingType.h"
#include "data/GEventRepairDone.h"
#include "data/GEventResourcesReturned.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"
#include "scene/NodeEvents.h"

#include <cmath>

GRestoreProcess::GRestoreProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                                 TemplateCollectionNode* templateCollection, GLevelPath* busPath, float materialsTaken,
                                 int workersTaken)
    : GLevelProcess(levelScene, buildingNode, cargos, templateCollection, busPath), materials(materialsTaken),
      workers(workersTaken)
{
	speedFactor = buildTimeFactor();
	listenTo(cargosNode);
	listenTo(building);
	if (!startWorkerBus(140.0f, true, "Bus") && building)
		building->startWorkSound();
	makeProgressBar();
	remaining = record ? record->getBuildTime() : 0.0f;
	fitRestoringDuration();
}

float GRestoreProcess::getProgress() const
{
	const float total = record ? record->getBuildTime() : 0.0f;
	return total > 0.0f ? (total - remaining) / total : 1.0f;
}

void GRestoreProcess::setRestoringDuration(int ms)
{
	if (!building)
		return;
	const irr::core::array<BaseNode*>& children = building->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
	{
		AnimatorSet* state = children[i]->findState(processName("Restoring"));
		for (irr::u32 a = 0; state && a < state->getAnimatorCount(); ++a)
		{
			KeyFrame* animator = asKeyFrame(state->getAnimator(a));
			if (animator && animator->getKeyFrames().size() > 1)
				animator->setKeyFrameTime(1, ms);
		}
	}
}

void GRestoreProcess::fitRestoringDuration()
{
	if (speedFactor > 0.0f)
		setRestoringDuration(static_cast<int>(std::floor(remaining / speedFactor + 0.5f)));
}

bool GRestoreProcess::update(irr::u32 elapsed)
{
	advanceBus(elapsed);
	if (step == 2)
		startRestoring();
	else if (step == 3)
		step = 4;
	else
		stepBusDeparture();
	if (step > 1 && step < 7)
	{
		if (buildTimeFactor() != speedFactor)
		{
			speedFactor = buildTimeFactor();
			fitRestoringDuration();
		}
		remaining -= speedFactor * static_cast<float>(elapsed);
		if (remaining < 0.0f)
			finish();
		else
			showProgress(getProgress());
	}
	return step != 7;
}

void GRestoreProcess::startRestoring()
{
	step = 3;
	if (!building)
		return;
	building->setChildrenState(processName("Restoring"), nullptr);
	building->setWorkersText(workers);
	if (building->isFocused())
		building->startWorkSound();
}

void GRestoreProcess::finish()
{
	remaining = 0.0f;
	step = 7;
	removeProgressBar();
	if (!building)
		return;
	SmartPointer<GEventRepairDone> done(new GEventRepairDone(building));
	reportToLevel(done.get());
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, 0.0f, workers));
	reportToLevel(returned.get());
	building->setWorkersText(0);
	building->stopWorkSound();
}

void GRestoreProcess::cancel()
{
	if (step == 7)
		return;
	step = 7;
	if (building)
	{
		building->setWork(GBuildingNode::NoWork, nullptr);
		building->setCondition(GBuildingNode::RunDown);
		building->setChildrenState(processName("CancelRestoring"), nullptr);
		building->setWorkersText(0);
		building->stopWorkSound();
	}
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, materials, workers));
	reportToLevel(returned.get());
	if (level)
		level->recalculateStats();
}
