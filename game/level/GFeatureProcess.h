#pragma once

#include "GLevelProcess.h"

// Shows the progress of an active feature of a service building and tells the level when it ends.
class GFeatureProcess : public GLevelProcess
{
public:
	GFeatureProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	                TemplateCollectionNode* templates, int featureIndex);

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;

	int getFeatureIndex() const { return featureIndex; }

private:
	int featureIndex = 0; // 0-based
};
