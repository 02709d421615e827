#pragma once

#include "GWorkerWalkProcess.h"

// Repairs a broken building; a cancel leaves it broken again.
class GRepairProcess : public GWorkerWalkProcess
{
public:
	GRepairProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	               TemplateCollectionNode* templates, GLevelPath* path, float materials, int workers);

protected:
	void onWorkDone() override;
	void onCancel() override;
};
