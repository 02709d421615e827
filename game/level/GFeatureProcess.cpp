#include "GFeatureProcess.h"

#include "GBuildingNode.h"
#include "GFeatureState.h"
#include "data/GEventFeatureEnded.h"

GFeatureProcess::GFeatureProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                                 TemplateCollectionNode* templateCollection, int index)
    : GLevelProcess(levelScene, buildingNode, cargos, templateCollection, nullptr), featureIndex(index)
{
	listenTo(cargosNode);
	listenTo(building);
	makeProgressBar();
}

float GFeatureProcess::getProgress() const
{
	return building ? 1.0f - building->getFeatureProgress(featureIndex) : 0.0f;
}

bool GFeatureProcess::update(irr::u32)
{
	if (building && building->getFeatureState(featureIndex) == GFeatureState::Active)
	{
		// The bar empties as the feature runs.
		showProgress(getProgress());
		return true;
	}
	removeProgressBar();
	if (building)
		building->setWork(GBuildingNode::NoWork, nullptr);
	SmartPointer<GEventFeatureEnded> ended(new GEventFeatureEnded(building, featureIndex));
	reportToLevel(ended.get());
	return false;
}
