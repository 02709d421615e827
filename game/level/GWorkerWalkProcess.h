#pragma once

#include "GLevelProcess.h"

// Shared base of the small jobs done by workers who come by bus: they work the record's repair time
// under a progress bar, leave, and the level gets the workers back.
class GWorkerWalkProcess : public GLevelProcess
{
public:
	GWorkerWalkProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	                   TemplateCollectionNode* templates, GLevelPath* path, float materials, int workers);

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;
	// Puts the building's condition back and returns materials and workers; a second cancel does nothing.
	void cancel() override;

	float getMaterials() const { return materials; }
	int getWorkers() const { return workers; }
	float getDuration() const { return duration; }

protected:
	virtual void onWorkStart();
	virtual void onWorkDone() = 0;
	virtual void onCancel() = 0;

	float materials = 0.0f;
	int workers = 0;
	float duration = 0.0f;    // ms, set by the subclass
	float elapsedWork = 0.0f; // ms
};
