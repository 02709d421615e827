#include "GBuildProcess.h"
#include "GBuildingNode.h"
#include "GCleanProcess.h"
#include "GDestroyProcess.h"
#include "GFeatureProcess.h"
#include "GGameLevelScene.h"
#include "GRepairProcess.h"
#include "GRestoreProcess.h"
#include "GServeBusProcess.h"
#include "GServeTimerProcess.h"
#include "app/GBaseSceneNode.h"
#include "core/Random.h"
#include "data/GBuildingFeature.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GEventBrokenBuildingRequest.h"
#include "data/GEventBuildingReady.h"
#include "data/GEventCleanDone.h"
#include "data/GEventDestroyDone.h"
#include "data/GEventDirtyBuildingRequest.h"
#include "data/GEventFeatureEnded.h"
#include "data/GEventLevelStatsChanged.h"
#include "data/GEventRepairDone.h"
#include "data/GEventSelectionChanged.h"
#include "data/GEventSellBuildingRequest.h"
#include "data/GEventServeDone.h"
#include "data/GEventWorkCompleted.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPaths.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"

#include <algorithm>

// The player's building commands, the completion messages of their work and the random requests.

using namespace irr;

namespace
{
enum HistoryAction
{
	HistoryBuilt = 0,
	HistoryDemolished = 1,
	HistoryBought = 2,
	HistorySold = 3,
	HistoryRepaired = 4,
	HistoryFeatureEnded = 5,
	HistoryCleaned = 8,
};

// What every building command needs: a building with a record and no work running.
CommandRefusal checkBuildingFree(const GBuildingNode* building)
{
	if (!building || !building->getRecord())
		return CommandRefusal::NoBuilding;
	if (building->getWorkKind() != GBuildingNode::NoWork)
		return CommandRefusal::WorkRunning;
	return CommandRefusal::None;
}
} // namespace

// ---- costs

CommandCost GGameLevelScene::buildCost(const GBuildingType* record) const
{
	CommandCost cost;
	if (!record)
		return cost;
	cost.money = record->getCost();
	cost.materials = record->getBuildMaterialsCost(configuration.get());
	cost.workers = record->getBuildWorkersCost(getModifierValues());
	return cost;
}

CommandCost GGameLevelScene::repairCost(const GBuildingType* record) const
{
	CommandCost cost;
	cost.materials = record->getRepairMaterialsCost(configuration.get());
	cost.workers = record->getRepairWorkersCost(getModifierValues());
	return cost;
}

CommandCost GGameLevelScene::destroyCost(const GBuildingType* record) const
{
	CommandCost cost;
	cost.workers = record->getDestroyWorkersCost(getModifierValues());
	return cost;
}

CommandCost GGameLevelScene::restoreCost(const GBuildingType* record) const
{
	// The build's materials and workers; the price was paid when the building was bought.
	CommandCost cost = buildCost(record);
	cost.money = 0.0f;
	return cost;
}

CommandCost GGameLevelScene::featureCost(const GBuildingNode* building, int index) const
{
	CommandCost cost;
	const GBuildingFeature* feature =
	    building && building->getRecord() ? building->getRecord()->getFeature(index) : nullptr;
	if (feature)
		cost.money = feature->getMoneyCost();
	return cost;
}

CommandCost GGameLevelScene::buyCost(const GBuildingNode* building) const
{
	CommandCost cost;
	if (building)
		cost.money = building->getPrice();
	return cost;
}

SmartPointer<GBuildingType> GGameLevelScene::nextLevelRecord(const GBuildingType* record) const
{
	if (!record || record->isTopOfLine() || !buildingsConfiguration)
		return SmartPointer<GBuildingType>();
	return buildingsConfiguration->findBuilding(record->getNextLevelName());
}

void GGameLevelScene::pay(const CommandCost& cost)
{
	money -= cost.money;
	materials -= cost.materials;
	freeWorkers -= cost.workers;
}

GLevelPath* GGameLevelScene::carPathFor(const GBuildingNode* building) const
{
	return levelPaths ? levelPaths->getRandomCarPath(building->getName()) : nullptr;
}

TemplateCollectionNode* GGameLevelScene::templates() const
{
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	return services ? services->getTemplateCollection() : nullptr;
}

// ---- checks

bool GGameLevelScene::canBuild(const GBuildingType* record) const
{
	return record && checkCost(money, materials, freeWorkers, buildCost(record)) == CommandRefusal::None;
}

bool GGameLevelScene::canBuy(const GBuildingNode* building) const
{
	if (checkBuy(building) != CommandRefusal::None)
		return false;
	return building->isForSale() ||
	       (configuration && modifierValues.buyNotForSaleBuildingPriceBonus >= 1.0f);
}

CommandRefusal GGameLevelScene::checkBuildOnPlace(const GBuildingNode* building, const GBuildingType* record) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (!cargosNode)
		return CommandRefusal::NoCargosNode;
	if (building->getRecord()->getLevel() != 0)
		return CommandRefusal::NotEmptyPlace;
	if (!record)
		return CommandRefusal::NoRecord;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	return checkCost(money, materials, freeWorkers, buildCost(record));
}

CommandRefusal GGameLevelScene::checkUpgrade(const GBuildingNode* building) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (!cargosNode)
		return CommandRefusal::NoCargosNode;
	if (building->getRecord()->getLevel() == 0)
		return CommandRefusal::EmptyPlace;
	if (!building->isWorking())
		return CommandRefusal::NotWorking;
	SmartPointer<GBuildingType> next = nextLevelRecord(building->getRecord());
	if (!next)
		return CommandRefusal::NoRecord;
	return checkCost(money, materials, freeWorkers, buildCost(next.get()));
}

CommandRefusal GGameLevelScene::checkDestroy(const GBuildingNode* building) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (building->getRecord()->getLevel() == 0)
		return CommandRefusal::EmptyPlace;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	// The empty place the demolition leaves must be known.
	if (!buildingsConfiguration || !buildingsConfiguration->findBuilding(internStringId("BuildingPlace")))
		return CommandRefusal::NoRecord;
	return checkCost(money, materials, freeWorkers, destroyCost(building->getRecord()));
}

CommandRefusal GGameLevelScene::checkWorkerJob(const GBuildingNode* building, int condition,
                                               const CommandCost& cost) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (building->getRecord()->getLevel() == 0)
		return CommandRefusal::EmptyPlace;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	if (building->getCondition() != condition)
		return CommandRefusal::WrongCondition;
	return checkCost(money, materials, freeWorkers, cost);
}

CommandRefusal GGameLevelScene::checkRepair(const GBuildingNode* building) const
{
	const GBuildingType* record = building ? building->getRecord() : nullptr;
	return checkWorkerJob(building, GBuildingNode::Broken, record ? repairCost(record) : CommandCost());
}

CommandRefusal GGameLevelScene::checkClean(const GBuildingNode* building) const
{
	const GBuildingType* record = building ? building->getRecord() : nullptr;
	return checkWorkerJob(building, GBuildingNode::Dirty, record ? cleanCost(record) : CommandCost());
}

CommandRefusal GGameLevelScene::checkRestore(const GBuildingNode* building) const
{
	const GBuildingType* record = building ? building->getRecord() : nullptr;
	return checkWorkerJob(building, GBuildingNode::RunDown, restoreCost(record));
}

CommandRefusal GGameLevelScene::checkServeRequest(const GBuildingNode* building) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	if (building->getCondition() <= GBuildingNode::RunDown)
		return CommandRefusal::WrongCondition;
	if (!findServer(building->getCondition()))
		return CommandRefusal::NoServer;
	return CommandRefusal::None;
}

CommandRefusal GGameLevelScene::checkFeature(const GBuildingNode* building, int index) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	if (!building->isFeatureAllowed(index) || building->getFeatureState(index) != GFeatureState::Idle)
		return CommandRefusal::FeatureNotReady;
	return checkCost(money, materials, freeWorkers, featureCost(building, index));
}

CommandRefusal GGameLevelScene::checkAcceptBuyOffer(const GBuildingNode* building) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	if (!building->isForSale())
		return CommandRefusal::NotForSale;
	if (!building->isBuyerPending())
		return CommandRefusal::NoBuyer;
	return CommandRefusal::None;
}

CommandRefusal GGameLevelScene::checkBuy(const GBuildingNode* building) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (building->isOwned())
		return CommandRefusal::AlreadyOwned;
	return checkCost(money, materials, freeWorkers, buyCost(building));
}

CommandRefusal GGameLevelScene::checkSale(const GBuildingNode* building) const
{
	if (CommandRefusal refusal = checkBuildingFree(building); refusal != CommandRefusal::None)
		return refusal;
	if (!building->isOwned())
		return CommandRefusal::NotOwned;
	if (!configuration || !configuration->isSellOn())
		return CommandRefusal::SaleClosed;
	if (building->getCondition() != GBuildingNode::Normal)
		return CommandRefusal::WrongCondition;
	return CommandRefusal::None;
}

CommandRefusal GGameLevelScene::checkAbort(const GBuildingNode* building) const
{
	if (!building || !building->getRecord())
		return CommandRefusal::NoBuilding;
	const int work = building->getWorkKind();
	if (work < GBuildingNode::BuildWork || work > GBuildingNode::WorkerJob || !building->getProcess())
		return CommandRefusal::NothingToStop;
	return CommandRefusal::None;
}

// ---- commands

bool GGameLevelScene::buildOnPlace(GBuildingNode* building, const GBuildingType* record)
{
	if (checkBuildOnPlace(building, record) != CommandRefusal::None)
		return false;
	startBuild(building, record);
	return true;
}

bool GGameLevelScene::upgradeBuilding(GBuildingNode* building)
{
	if (checkUpgrade(building) != CommandRefusal::None)
		return false;
	SmartPointer<GBuildingType> next = nextLevelRecord(building->getRecord());
	startBuild(building, next.get());
	return true;
}

void GGameLevelScene::startBuild(GBuildingNode* building, const GBuildingType* record)
{
	const CommandCost cost = buildCost(record);
	building->saveState();
	building->setLevelRecord(record, false);
	// The old look stays until the build process shows the new building.
	const StringId previousName = building->getPreviousRecord()->getName();
	if (building->getTemplateName() != previousName)
		building->setTemplateName(previousName);
	SmartPointer<GBuildProcess> process(new GBuildProcess(this, building, building->getRecord(), cargosNode.get(),
	                                                      templates(), carPathFor(building), cost.materials,
	                                                      cost.workers));
	addProcess(process.get());
	building->setWork(GBuildingNode::BuildWork, process.get());
	pay(cost);
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
}

bool GGameLevelScene::destroyBuilding(GBuildingNode* building)
{
	if (checkDestroy(building) != CommandRefusal::None)
		return false;
	const CommandCost cost = destroyCost(building->getRecord());
	building->saveState();
	building->endSale();
	SmartPointer<GDestroyProcess> process(
	    new GDestroyProcess(this, building, cargosNode.get(), templates(), carPathFor(building)));
	addProcess(process.get());
	building->setWork(GBuildingNode::DemolitionWork, process.get());
	pay(cost);
	building->unregisterAsServer();
	building->setLevelRecord(buildingsConfiguration->findBuilding(internStringId("BuildingPlace")).get(), false);
	for (const SmartPointer<GBuildingNode>& other : buildings)
		other->registerAsServer();
	dropUnservedRequests();
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

void GGameLevelScene::startWorkerJob(GBuildingNode* building, GLevelProcess* process, const CommandCost& cost)
{
	addProcess(process);
	building->setWork(GBuildingNode::WorkerJob, process);
	building->setCondition(GBuildingNode::Normal);
	pay(cost);
}

bool GGameLevelScene::repairBuilding(GBuildingNode* building)
{
	if (checkRepair(building) != CommandRefusal::None)
		return false;
	const CommandCost cost = repairCost(building->getRecord());
	SmartPointer<GRepairProcess> process(new GRepairProcess(this, building, cargosNode.get(), templates(),
	                                                        carPathFor(building), cost.materials, cost.workers));
	startWorkerJob(building, process.get(), cost);
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::cleanBuilding(GBuildingNode* building)
{
	if (checkClean(building) != CommandRefusal::None)
		return false;
	const CommandCost cost = cleanCost(building->getRecord());
	SmartPointer<GCleanProcess> process(new GCleanProcess(this, building, cargosNode.get(), templates(),
	                                                      carPathFor(building), cost.materials, cost.workers));
	startWorkerJob(building, process.get(), cost);
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::restoreBuilding(GBuildingNode* building)
{
	if (checkRestore(building) != CommandRefusal::None)
		return false;
	const CommandCost cost = restoreCost(building->getRecord());
	SmartPointer<GRestoreProcess> process(new GRestoreProcess(this, building, cargosNode.get(), templates(),
	                                                          carPathFor(building), cost.materials, cost.workers));
	startWorkerJob(building, process.get(), cost);
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::serveRequest(GBuildingNode* building)
{
	if (checkServeRequest(building) != CommandRefusal::None)
		return false;
	const int condition = building->getCondition();
	GBuildingNode* server = findServer(condition);
	SmartPointer<GServeTimerProcess> timer(new GServeTimerProcess(this, server, templates()));
	server->setWork(GBuildingNode::ServingWork, timer.get());
	addProcess(timer.get());
	if (condition == GBuildingNode::CateringRequest)
	{
		SmartPointer<GServeBusProcess> bus(
		    new GServeBusProcess(this, building, cargosNode.get(), templates(), carPathFor(building)));
		addProcess(bus.get());
		building->setWork(GBuildingNode::WorkerJob, bus.get());
	}
	building->setCondition(GBuildingNode::Normal);
	collectServices();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

void GGameLevelScene::dropUnservedRequests()
{
	// The lists as they are now: the building that went may have been the last provider.
	collectServices();
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		const int condition = building->getCondition();
		if (!building->isOwned() || building->getRecord()->getLevel() == 0 ||
		    condition < GBuildingNode::CateringRequest)
			continue;
		if (std::find(services.begin(), services.end(), condition) == services.end())
			building->setCondition(GBuildingNode::Normal);
	}
}

bool GGameLevelScene::activateFeature(GBuildingNode* building, int index)
{
	if (checkFeature(building, index) != CommandRefusal::None)
		return false;
	const CommandCost cost = featureCost(building, index);
	if (building->getRecord()->getType() < BuildingKind::FirstService)
		building->activateFeature(index);
	else
	{
		SmartPointer<GFeatureProcess> process(
		    new GFeatureProcess(this, building, cargosNode.get(), templates(), index));
		addProcess(process.get());
		building->setWork(GBuildingNode::FeatureWork, process.get());
	}
	pay(cost);
	recalculateStats();
	building->startWorkSound();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::acceptBuyOffer(GBuildingNode* building)
{
	if (checkAcceptBuyOffer(building) != CommandRefusal::None)
		return false;
	// The offer as the sign shows it now, while the building is still the player's; priced after the
	// sale it would lose the owner's bonus the player was shown.
	const int offer = building->getOfferPrice();
	GBaseSceneNode::playCue("Sold");
	recordAction(HistorySold, building->getRecord()->getName(), building);
	building->endSale();
	building->setOwned(false);
	money += static_cast<float>(offer);
	dropUnservedRequests();
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::buyBuilding(GBuildingNode* building)
{
	if (checkBuy(building) != CommandRefusal::None)
		return false;
	const float price = buyCost(building).money;
	GBaseSceneNode::playCue("Bought");
	recordAction(HistoryBought, building->getRecord()->getName(), building);
	building->setForSale(false);
	building->setOwned(true);
	if (building->getRecord()->getType() >= BuildingKind::FirstService)
		building->setCondition(GBuildingNode::RunDown);
	building->notifyChanged();
	money -= price;
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::toggleSale(GBuildingNode* building)
{
	if (checkSale(building) != CommandRefusal::None)
		return false;
	building->setForSale(!building->isForSale());
	recalculateStats();
	building->notifyChanged();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::abortWork(GBuildingNode* building)
{
	if (checkAbort(building) != CommandRefusal::None)
		return false;
	building->cancelWork();
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

// ---- completion messages

void GGameLevelScene::recordAction(int action, StringId buildingType, const GBuildingNode* building)
{
	GHistoryEntry entry;
	entry.action = action;
	entry.buildingType = buildingType;
	entry.placeName = building->getName();
	addHistoryAction(entry);
}

void GGameLevelScene::finishWork(GBuildingNode* building, int historyAction, bool resetBreakdown)
{
	if (historyAction >= 0)
		recordAction(historyAction, building->getRecord()->getName(), building);
	if (resetBreakdown)
		building->setBreakdownCooldown(0);
	building->setWork(GBuildingNode::NoWork, nullptr);
	recalculateStats();
}

void GGameLevelScene::finishJob(GBuildingNode* building, int historyAction, bool resetBreakdown)
{
	if (!building)
		return;
	finishWork(building, historyAction, resetBreakdown);
	postToParent(new GEventLevelStatsChanged());
}

bool GGameLevelScene::onWorkCompleted(GEventWorkCompleted* event)
{
	GBuildingNode* building = event->building;
	if (!building || !building->getRecord())
		return false;
	finishWork(building, HistoryBuilt, true);
	const StringId cue = building->getRecord()->getBuiltSoundCueName();
	if (cue != StringId())
		GBaseSceneNode::playCue(getStringById(cue).c_str());
	return false;
}

bool GGameLevelScene::onDestroyDone(GEventDestroyDone* event)
{
	GBuildingNode* building = event->building;
	if (!building)
		return false;
	if (const GBuildingType* previous = building->getPreviousRecord())
		recordAction(HistoryDemolished, previous->getName(), building);
	finishWork(building, -1, false);
	postToParent(new GEventLevelStatsChanged());
	if (building->isFocused())
		postToParent(new GEventSelectionChanged(building, building));
	return false;
}

bool GGameLevelScene::onRepairDone(GEventRepairDone* event)
{
	finishJob(event->building, HistoryRepaired, true);
	return false;
}

bool GGameLevelScene::onCleanDone(GEventCleanDone* event)
{
	finishJob(event->building, HistoryCleaned, true);
	return false;
}

bool GGameLevelScene::onServeDone(GEventServeDone* event)
{
	finishJob(event->building, -1, false);
	return false;
}

bool GGameLevelScene::onBuildingReady(GEventBuildingReady* event)
{
	if (GBuildingNode* building = event->building)
	{
		building->setWork(GBuildingNode::NoWork, nullptr);
		collectServices();
		postToParent(new GEventLevelStatsChanged());
	}
	return false;
}

bool GGameLevelScene::onFeatureEnded(GEventFeatureEnded* event)
{
	GBuildingNode* building = event->building;
	if (!building || !building->getRecord())
		return false;
	const int index = event->featureIndex;
	recordAction(HistoryFeatureEnded + (index >= 0 && index <= 2 ? index : 0), building->getRecord()->getName(),
	             building);
	recalculateStats();
	postToParent(new GEventLevelStatsChanged());
	return false;
}

// ---- random requests

template <class Test> GBuildingNode* GGameLevelScene::pickBuilding(Test test) const
{
	std::vector<GBuildingNode*> candidates;
	for (const SmartPointer<GBuildingNode>& building : buildings)
		if (building->getRecord() && test(building.get()))
			candidates.push_back(building.get());
	if (candidates.empty())
		return nullptr;
	return candidates[Random::instance()->nextUInt() % candidates.size()];
}

bool GGameLevelScene::onSellRequest(GEventSellBuildingRequest* event)
{
	GBuildingNode* picked = pickBuilding(
	    [event](const GBuildingNode* building)
	    {
		    return building->isVisible() && !building->isOwned() && !building->isForSale() &&
		           matchesRequest(building, event->buildingTypes, event->placeNames);
	    });
	if (picked)
	{
		picked->setForSale(true);
		picked->notifyChanged();
	}
	return true;
}

bool GGameLevelScene::onBrokenRequest(GEventBrokenBuildingRequest* event)
{
	if (!configuration || !modifierValues.canBuildingsBroke)
		return true;
	spoilRequestedBuilding(event, BuildingKind::Hotel, GBuildingNode::Broken, "Broken");
	return true;
}

bool GGameLevelScene::onDirtyRequest(GEventDirtyBuildingRequest* event)
{
	spoilRequestedBuilding(event, BuildingKind::Decoration, GBuildingNode::Dirty, "Dirty");
	return true;
}

void GGameLevelScene::spoilRequestedBuilding(const GEventRequest* request, int recordType, int condition,
                                             const char* cue)
{
	GBuildingNode* picked = pickBuilding(
	    [&](const GBuildingNode* building)
	    {
		    return building->isWorking() && building->getRecord()->getType() == recordType &&
		           building->getBreakdownCooldown() > 9999 &&
		           matchesRequest(building, request->buildingTypes, request->placeNames);
	    });
	if (!picked)
		return;
	GBaseSceneNode::playCue(cue);
	picked->setCondition(condition);
	recalculateStats();
	SmartPointer<GEventLevelStatsChanged> changed(new GEventLevelStatsChanged());
	sendToParent(DeliverSelfThenParent, changed.get());
}
