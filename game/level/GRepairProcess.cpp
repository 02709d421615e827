#include "GRepairProcess.h"

#include "GBuildingNode.h"
#include "data/GBuildingType.h"
#include "data/GEventRepairDone.h"

GRepairProcess::GRepairProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                               TemplateCollectionNode* templateCollection, GLevelPath* busPath, float materialsTaken,
                               int workersTaken)
    : GWorkerWalkProcess(levelScene, buildingNode, cargos, templateCollection, busPath, materialsTaken, workersTaken)
{
	duration = record ? record->getRepairTime() : 0.0f;
}

void GRepairProcess::onWorkDone()
{
	if (!building)
		return;
	building->stopWorkSound();
	SmartPointer<GEventRepairDone> done(new GEventRepairDone(building));
	reportToLevel(done.get());
}

void GRepairProcess::onCancel()
{
	if (!building)
		return;
	building->stopWorkSound();
	building->setCondition(GBuildingNode::Broken);
}
