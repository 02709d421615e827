#pragma once

#include "GLevelProcess.h"

// Keeps a serving building busy for its record's serve time, then tells the level it is ready.
class GServeTimerProcess : public GLevelProcess
{
public:
	GServeTimerProcess(GGameLevelScene* level, GBuildingNode* building, TemplateCollectionNode* templates);

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;

	float getRemaining() const { return remaining; }

private:
	float remaining = 0.0f; // ms
};
