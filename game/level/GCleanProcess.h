#pragma once

#include "GWorkerWalkProcess.h"

// Cleans a dirty building; a cancel leaves it dirty again.
class GCleanProcess : public GWorkerWalkProcess
{
public:
	GCleanProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	              TemplateCollectionNode* templates, GLevelPath* path, float materials, int workers);

protected:
	void onWorkDone() override;
	void onCancel() override;
};
