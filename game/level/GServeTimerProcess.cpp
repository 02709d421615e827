#include "GServeTimerProcess.h"

#include "data/GBuildingType.h"
#include "data/GEventBuildingReady.h"

GServeTimerProcess::GServeTimerProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode,
                                       TemplateCollectionNode* templateCollection)
    : GLevelProcess(levelScene, buildingNode, nullptr, templateCollection, nullptr)
{
	makeProgressBar();
	remaining = record ? record->getServeTime() : 0.0f;
}

float GServeTimerProcess::getProgress() const
{
	const float total = record ? record->getServeTime() : 0.0f;
	return total > 0.0f ? (total - remaining) / total : 1.0f;
}

bool GServeTimerProcess::update(irr::u32 elapsed)
{
	remaining -= static_cast<float>(elapsed);
	if (remaining >= 0.0f)
	{
		showProgress(getProgress());
		return true;
	}
	remaining = 0.0f;
	removeProgressBar();
	SmartPointer<GEventBuildingReady> ready(new GEventBuildingReady(building));
	reportToLevel(ready.get());
	return false;
}
