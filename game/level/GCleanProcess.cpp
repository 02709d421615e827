#include "GCleanProcess.h"

#include "GBuildingNode.h"
#include "data/GBuildingType.h"
#include "data/GEventCleanDone.h"

GCleanProcess::GCleanProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                             TemplateCollectionNode* templateCollection, GLevelPath* busPath, float materialsTaken,
                             int workersTaken)
    : GWorkerWalkProcess(levelScene, buildingNode, cargos, templateCollection, busPath, materialsTaken, workersTaken)
{
	duration = record ? record->getRepairTime() : 0.0f;
}

void GCleanProcess::onWorkDone()
{
	if (!building)
		return;
	building->stopWorkSound();
	SmartPointer<GEventCleanDone> done(new GEventCleanDone(building));
	reportToLevel(done.get());
}

void GCleanProcess::onCancel()
{
	if (!building)
		return;
	building->stopWorkSound();
	building->setCondition(GBuildingNode::Dirty);
}
