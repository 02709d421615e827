#pragma once

#include "GLevelProcess.h"

// Restores a run-down building: its "Restoring" animation plays, fitted to the time left, and the
// level hears of the end as a repair.
class GRestoreProcess : public GLevelProcess
{
public:
	GRestoreProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	                TemplateCollectionNode* templates, GLevelPath* path, float materials, int workers);

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;
	// Leaves the building run-down and returns materials and workers; a second cancel does nothing.
	void cancel() override;

	// Stretches the second key frame of every key-frame animator of the children's "Restoring" state.
	void setRestoringDuration(int ms);

	float getRemaining() const { return remaining; }
	float getSpeedFactor() const { return speedFactor; }

private:
	void startRestoring();
	void finish();
	void fitRestoringDuration();

	float speedFactor = 1.0f; // the build-time factor last used to fit the animation
	float materials = 0.0f;
	int workers = 0;
	float remaining = 0.0f; // ms
};
