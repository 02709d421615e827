#include "GDestroyProcess.h"

#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "app/GBaseSceneNode.h"
#include "data/GBuildingType.h"
#include "data/GEventDestroyDone.h"
#include "data/GEventResourcesReturned.h"
#include "data/GLevelConfiguration.h"
#include "scene/NodeEvents.h"

namespace
{
StringId withSettingIndex(const char* name, const GGameLevelScene* level)
{
	const GLevelConfiguration* configuration = level ? level->getLevelConfiguration() : nullptr;
	irr::core::stringc text(name);
	text += configuration ? configuration->getSettingIndex() : 0;
	return internStringId(text);
}
} // namespace

GDestroyProcess::GDestroyProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, BaseNode* cargos,
                                 TemplateCollectionNode* templateCollection, GLevelPath* busPath)
    : GLevelProcess(levelScene, buildingNode, cargos, templateCollection, busPath)
{
	listenTo(cargosNode);
	listenTo(building);
	if (record)
		workers = record->getDestroyWorkersCost(level ? level->getModifierValues() : nullptr);
	if (!startWorkerBus(140.0f, true, "Bus"))
		GBaseSceneNode::playCue("Destroying");
	makeProgressBar();
	remaining = record ? record->getDestroyTime() : 0.0f;
	if (building)
		building->setChildrenState(processName("Done"), nullptr);
}

float GDestroyProcess::getProgress() const
{
	const float total = record ? record->getDestroyTime() : 0.0f;
	return total > 0.0f ? (total - remaining) / total : 1.0f;
}

bool GDestroyProcess::update(irr::u32 elapsed)
{
	advanceBus(elapsed);
	if (step == 2)
		startDemolition();
	else if (step == 3)
		step = 4;
	else
		stepBusDeparture();
	if (step > 1 && step < 7)
	{
		remaining -= static_cast<float>(elapsed) * buildTimeFactor();
		if (remaining < 0.0f)
			finish();
		else
			showProgress(getProgress());
	}
	return step != 7;
}

void GDestroyProcess::startDemolition()
{
	step = 3;
	if (!building)
		return;
	building->setTemplateName(processName("BuildingPlace"));
	building->setChildrenState(withSettingIndex("DestroySetting", level), nullptr);
	building->setChildrenState(processName("Destroy"), nullptr);
	building->setWorkersText(workers);
	if (building->isFocused())
		building->startWorkSound();
}

void GDestroyProcess::finish()
{
	remaining = 0.0f;
	step = 7;
	removeProgressBar();
	if (!building)
		return;
	building->stopWorkSound();
	building->setChildrenState(withSettingIndex("DoneSetting", level), nullptr);
	building->setChildrenState(processName("Done"), nullptr);
	SmartPointer<GEventDestroyDone> done(new GEventDestroyDone(building));
	reportToLevel(done.get());
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, 0.0f, workers));
	reportToLevel(returned.get());
	building->setWorkersText(0);
}

void GDestroyProcess::cancel()
{
	// Once the demolition is over the place stays empty and the workers are back already.
	if (step == 7 || !building || !building->getPreviousRecord())
		return;
	removeBus();
	step = 7;
	SmartPointer<GBuildingType> previous = shareRef(building->getPreviousRecord());
	building->setLevelRecord(previous.get(), true);
	building->setTemplateName(previous->getName());
	building->setWorkersText(0);
	building->setWork(GBuildingNode::NoWork, nullptr);
	building->stopWorkSound();
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, 0.0f, workers));
	reportToLevel(returned.get());
	if (level)
		level->recalculateStats();
}
