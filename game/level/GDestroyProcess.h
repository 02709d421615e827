#pragma once

#include "GLevelProcess.h"

// Demolishes a building: once the workers are there the empty place shows with the demolition states,
// and when the demolition time has run out the level gets the place and the workers back.
class GDestroyProcess : public GLevelProcess
{
public:
	GDestroyProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	                TemplateCollectionNode* templates, GLevelPath* path);

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;
	// Brings the previous building back and returns the workers; nothing once the demolition is over.
	void cancel() override;

	int getWorkers() const { return workers; }
	float getRemaining() const { return remaining; }

private:
	void startDemolition();
	void finish();

	int workers = 0;
	float remaining = 0.0f; // ms
};
