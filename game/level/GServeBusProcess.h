#pragma once

#include "GLevelProcess.h"

// Sends a bus to the building that asked for a service and keeps it there for the service time.
class GServeBusProcess : public GLevelProcess
{
public:
	GServeBusProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	                 TemplateCollectionNode* templates, GLevelPath* path);

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;
	// Ends the visit early: the building is free again and the bus drives back.
	void cancel() override;

	float getRemaining() const { return remaining; }

private:
	float waitTime() const;

	float remaining = 0.0f; // ms of the visit left
};
