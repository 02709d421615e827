#include "GGameLevelScene.h"

#include "GBuildingNode.h"
#include "GCloudsProcess.h"
#include "GLevelProcess.h"
#include "GNeutralCarTraffic.h"
#include "app/GBaseSceneNode.h"
#include "audio/CSoundCue.h"
#include "core/ILogger.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GEventBrokenBuildingRequest.h"
#include "data/GEventBuildingExistsQuery.h"
#include "data/GEventBuildingReady.h"
#include "data/GEventCleanDone.h"
#include "data/GEventDestroyDone.h"
#include "data/GEventDirtyBuildingRequest.h"
#include "data/GEventFeatureEnded.h"
#include "data/GEventFeatureIncome.h"
#include "data/GEventLetterRequest.h"
#include "data/GEventLevelCompleted.h"
#include "data/GEventLevelStatsChanged.h"
#include "data/GEventPauseRequest.h"
#include "data/GEventRepairDone.h"
#include "data/GEventResourcesReturned.h"
#include "data/GEventSelectionChanged.h"
#include "data/GEventSellBuildingRequest.h"
#include "data/GEventServeDone.h"
#include "data/GEventWeatherRequest.h"
#include "data/GEventWorkCompleted.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPaths.h"
#include "data/GObjectiveList.h"
#include "data/GRandomEventList.h"
#include "data/GUpgradeEffects.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/NodeEvents.h"

#include <algorithm>
#include <cmath>

using namespace irr;

namespace
{
constexpr int SoundGroupLevel = 2;

void logAboutNode(const char* text, const BaseNode* node)
{
	getLogger()->log(text, node ? getStringById(node->getName()).c_str() : "", 0);
}

bool contains(const core::array<StringId>& names, StringId name)
{
	for (u32 i = 0; i < names.size(); ++i)
		if (names[i] == name)
			return true;
	return false;
}

GObjectiveRecord objectiveRecord(const GBuildingType* record)
{
	GObjectiveRecord result;
	if (record)
	{
		result.exists = true;
		result.name = record->getName();
		result.level = record->getLevel();
	}
	return result;
}
} // namespace

GGameLevelScene::GGameLevelScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : SceneNode(reference, parentNode, manager)
{
	mask |= EventCategoryGame;
	period = UpdatePeriod;
}

GGameLevelScene::~GGameLevelScene()
{
	setScheduler(nullptr);
	stopRandomEvents();
	// Processes unhook themselves from the buildings and the cargos node while those still stand; a
	// building holding its process would otherwise let it outlive them.
	for (const SmartPointer<GBuildingNode>& building : buildings)
		building->setWork(GBuildingNode::NoWork, nullptr);
	processes.clear();
	neutralCarTraffic.reset();
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		building->setWork(GBuildingNode::NoWork, nullptr);
		building->setLevelScene(nullptr);
	}
	configuration.reset();
	GBaseSceneNode::stopSoundGroup(SoundGroupLevel);
}

const core::stringw& GGameLevelScene::typeNameText()
{
	static const core::stringw name(L"GGameLevelScene");
	return name;
}

void GGameLevelScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	SceneNode::copyFrom(source, manager);
	if (const GGameLevelScene* other = nodeCast<GGameLevelScene>(source))
	{
		configuration = other->configuration;
		modifierValues = other->modifierValues;
	}
}

// ---- set-up

void GGameLevelScene::onLoad()
{
	buildingsNode = shareRef(nodeCast<ControlNode>(findChild(internStringId("Buildings"), -2)));
	buildings.clear();
	LevelRectBuilder rect;
	if (buildingsNode)
	{
		// The buildings' messages climb through this node to the level and the play screen.
		buildingsNode->mask |= EventCategoryGame;
		const core::array<BaseNode*>& children = buildingsNode->getChildren();
		for (u32 i = 0; i < children.size(); ++i)
		{
			GBuildingNode* building = nodeCast<GBuildingNode>(children[i]);
			if (!building)
				continue;
			buildings.push_back(shareRef(building));
			rect.addBuilding(building->getPosition().X, building->getPosition().Y);
		}
		levelRect = rect.result();
	}
	cargosNode = shareRef(findChild(internStringId("CargosNode"), -2));
	if (BaseNode* pedestrians = findChild(internStringId("Pedestrians"), -2))
		pedestrians->setVisible(false);
}

void GGameLevelScene::setBuildingsConfiguration(GBuildingsConfiguration* value)
{
	buildingsConfiguration = shareRef(value);
}

void GGameLevelScene::setConfiguration(GLevelConfiguration* value)
{
	stopRandomEvents();
	configuration = shareRef(value);
	if (!configuration)
		return;
	dayTime = 0.0f;
	money = configuration->getInitMoney();
	rating = configuration->getInitRating();
	materials = configuration->getInitMaterialsCount();
	freeWorkers = configuration->getInitWorkersCount();
	totalWorkers = configuration->getInitWorkersCount();
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		building->setLevelScene(this);
		building->setLevelConfiguration(configuration.get());
		if (!buildingsConfiguration)
			continue;
		// A place naming no record keeps its default record (level 0), an empty place that earns nothing.
		if (SmartPointer<GBuildingType> record = buildingsConfiguration->findBuilding(building->getTemplateName()))
			building->setLevelRecord(record.get(), false);
	}
	startRandomEvents(ownScheduler());
	if (GObjectiveList* objectives = configuration->getObjectives())
		for (u32 i = 0; i < objectives->getCount(); ++i)
			objectives->get(i)->start();
}

void GGameLevelScene::setUpgrades(GUpgradeEffects* effects)
{
	upgradeEffects = shareRef(effects);
	recalculateStats();
}

void GGameLevelScene::createNeutralCarTraffic(GLevelPaths* paths)
{
	levelPaths = shareRef(paths);
	neutralCarTraffic = paths && cargosNode
	                        ? SmartPointer<GNeutralCarTraffic>(new GNeutralCarTraffic(paths, cargosNode.get()))
	                        : SmartPointer<GNeutralCarTraffic>();
}

TaskScheduler* GGameLevelScene::ownScheduler() const
{
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	const SceneNode* owner = getScene() ? getScene() : this;
	return services ? services->getSceneScheduler(owner) : nullptr;
}

void GGameLevelScene::startRandomEvents(TaskScheduler* scheduler)
{
	GRandomEventList* events = configuration ? configuration->getRandomEvents() : nullptr;
	for (u32 i = 0; events && i < events->getCount(); ++i)
		events->get(i)->start(this, scheduler);
}

void GGameLevelScene::stopRandomEvents()
{
	GRandomEventList* events = configuration ? configuration->getRandomEvents() : nullptr;
	for (u32 i = 0; events && i < events->getCount(); ++i)
		events->get(i)->stop();
}

// ---- queries

GBuildingNode* GGameLevelScene::getSelectedBuilding() const
{
	const ControlNode* holder = nodeCast<ControlNode>(buildingsNode.get());
	GBuildingNode* building = holder ? nodeCast<GBuildingNode>(holder->getFocusedChild()) : nullptr;
	return building && building->isFocused() ? building : nullptr;
}

int GGameLevelScene::countBuildingsOfType(StringId buildingType) const
{
	int count = 0;
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		if (building->isOwned() && building->getRecord()->getName() == buildingType)
			++count;
		else if (building->getWorkKind() == GBuildingNode::DemolitionWork && building->getPreviousRecord() &&
		         building->getPreviousRecord()->getName() == buildingType)
			++count;
	}
	return count;
}

GBuildingNode* GGameLevelScene::findServer(int serviceId) const
{
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		const GBuildingType* record = building->getRecord();
		if (building->isOwned() && record->getLevel() != 0 && building->getWorkKind() == GBuildingNode::NoWork &&
		    record->getProvidedService() == serviceId)
			return building.get();
	}
	return nullptr;
}

bool GGameLevelScene::matchesRequest(const GBuildingNode* building, const core::array<StringId>& buildingTypes,
                                     const core::array<StringId>& placeNames)
{
	return (buildingTypes.empty() || contains(buildingTypes, building->getRecord()->getName())) &&
	       (placeNames.empty() || contains(placeNames, building->getName()));
}

GObjectiveBuilding GGameLevelScene::getBuilding(u32 index) const
{
	const GBuildingNode* building = buildings[index].get();
	GObjectiveBuilding view;
	view.nodeName = building->getName();
	view.owned = building->isOwned();
	view.forSale = building->isForSale();
	view.workKind = building->getWorkKind();
	view.condition = building->getCondition();
	view.incomeBonus = building->getIncomeBonus();
	view.current = objectiveRecord(building->getRecord());
	view.previous = objectiveRecord(building->getPreviousRecord());
	view.servedGuests = building->countServedGuests(building->getRecord());
	for (const GFeatureState& feature : building->getFeatureStates())
		view.featureStates.push_back(feature.state);
	return view;
}

// ---- messages

const EventMap& GGameLevelScene::eventMap()
{
	using S = GGameLevelScene;
	static const EventMap table = extendEventMap(
	    ControlNode::eventMap(),
	    {
	        {CEventNodeSceneChangeStarted::TypeId,
	         &eventHandler<S, CEventNodeSceneChangeStarted, &S::onSceneChangeStarted>},
	        {CEventNodeClickPreview::TypeId, &eventHandler<S, CEventNodeClickPreview, &S::onClickPreview>},
	        {CEventNodeClicked::TypeId, &eventHandler<S, CEventNodeClicked, &S::onNodePressed>},
	        {CEventNodeHovered::TypeId, &eventHandler<S, CEventNodeHovered, &S::onNodeHovered>},
	        {CEventNodeUnhovered::TypeId, &eventHandler<S, CEventNodeUnhovered, &S::onNodeUnhovered>},
	        {CEventNodeFocused::TypeId, &eventHandler<S, CEventNodeFocused, &S::onNodeFocused>},
	        {CEventNodeUnfocused::TypeId, &eventHandler<S, CEventNodeUnfocused, &S::onNodeUnfocused>},
	        {GEventFeatureIncome::TypeId, &eventHandler<S, GEventFeatureIncome, &S::onFeatureIncome>},
	        {EventTypeGEventCafeBuildingRequest, &eventHandler<S, CEvent, &S::onCafeRequest>},
	        {GEventPauseRequest::TypeId, &eventHandler<S, GEventPauseRequest, &S::onPauseRequest>},
	        {GEventBuildingExistsQuery::TypeId, &eventHandler<S, GEventBuildingExistsQuery, &S::onBuildingQuery>},
	        {GEventWorkCompleted::TypeId, &eventHandler<S, GEventWorkCompleted, &S::onWorkCompleted>},
	        {GEventDestroyDone::TypeId, &eventHandler<S, GEventDestroyDone, &S::onDestroyDone>},
	        {GEventRepairDone::TypeId, &eventHandler<S, GEventRepairDone, &S::onRepairDone>},
	        {GEventCleanDone::TypeId, &eventHandler<S, GEventCleanDone, &S::onCleanDone>},
	        {GEventServeDone::TypeId, &eventHandler<S, GEventServeDone, &S::onServeDone>},
	        {GEventBuildingReady::TypeId, &eventHandler<S, GEventBuildingReady, &S::onBuildingReady>},
	        {GEventFeatureEnded::TypeId, &eventHandler<S, GEventFeatureEnded, &S::onFeatureEnded>},
	        {GEventResourcesReturned::TypeId, &eventHandler<S, GEventResourcesReturned, &S::onResourcesReturned>},
	        {GEventSellBuildingRequest::TypeId, &eventHandler<S, GEventSellBuildingRequest, &S::onSellRequest>},
	        {GEventBrokenBuildingRequest::TypeId, &eventHandler<S, GEventBrokenBuildingRequest, &S::onBrokenRequest>},
	        {GEventDirtyBuildingRequest::TypeId, &eventHandler<S, GEventDirtyBuildingRequest, &S::onDirtyRequest>},
	        {GEventLetterRequest::TypeId, &eventHandler<S, GEventLetterRequest, &S::onLetterRequest>},
	        {GEventWeatherRequest::TypeId, &eventHandler<S, GEventWeatherRequest, &S::onWeatherRequest>},
	    });
	return table;
}

bool GGameLevelScene::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

bool GGameLevelScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (event->newScene != this)
	{
		if (event->oldScene == this)
			setScheduler(nullptr);
		return false;
	}
	TaskScheduler* scheduler = ownScheduler();
	setScheduler(scheduler);
	recalculateStats();
	// Entering again (after the level layer showed another scene) must not start a second set of
	// random events, whose one-time events would come again, nor a second drift of clouds.
	if (configuration && !enteredOnce)
	{
		startClouds();
		startRandomEvents(scheduler);
	}
	enteredOnce = true;
	if (!weatherNode)
		createWeatherNode();
	return true;
}

void GGameLevelScene::startClouds()
{
	if (!cargosNode)
		return;
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	SmartPointer<GCloudsProcess> clouds(
	    new GCloudsProcess(cargosNode.get(), services ? services->getTemplateCollection() : nullptr));
	addProcess(clouds.get());
}

bool GGameLevelScene::onClickPreview(CEventNodeClickPreview*)
{
	return false;
}

bool GGameLevelScene::onNodePressed(CEventNodeClicked* event)
{
	BaseNode* pressed = event->control;
	logAboutNode("Node was pressed", pressed);
	GBuildingNode* building = nodeCast<GBuildingNode>(pressed);
	if (!building)
	{
		if (pressed == this)
		{
			if (GBuildingNode* focused = getSelectedBuilding())
				focused->setFocused(false);
			previouslySelectedBuilding = selectedBuilding;
			selectedBuilding = nullptr;
			postToParent(new GEventSelectionChanged(nullptr, previouslySelectedBuilding));
		}
		return false;
	}
	if (collectMoneyLetter(building))
		return true;
	selectBuilding(building);
	return true;
}

bool GGameLevelScene::collectMoneyLetter(GBuildingNode* building)
{
	for (size_t i = 0; i < moneyLetters.size(); ++i)
	{
		auto* letter = dynamic_cast<GMoneyLetter*>(moneyLetters[i]->getUserObject());
		if (!letter || letter->building != building)
			continue;
		money += static_cast<float>(letter->amount);
		recalculateStats();
		building->setLetterCooldown(0);
		building->setWantFocus(true);
		SmartPointer<BaseNode> node = moneyLetters[i];
		moneyLetters[i] = moneyLetters.back();
		moneyLetters.pop_back();
		node->setChildrenState(internStringId("DisappearHit"), nullptr);
		GBaseSceneNode::playCue("ObjFound");
		return true;
	}
	return false;
}

void GGameLevelScene::selectBuilding(GBuildingNode* building)
{
	previouslySelectedBuilding = selectedBuilding;
	selectedBuilding = building;
	postToParent(new GEventSelectionChanged(building, previouslySelectedBuilding));
	building->setFocused(true);
}

bool GGameLevelScene::onNodeHovered(CEventNodeHovered* event)
{
	logAboutNode("Node was hovered", event->subject ? event->subject : event->sender);
	return false;
}

bool GGameLevelScene::onNodeUnhovered(CEventNodeUnhovered*)
{
	return false;
}

bool GGameLevelScene::onNodeFocused(CEventNodeFocused* event)
{
	logAboutNode("Node was focused", event->subject ? event->subject : event->sender);
	return false;
}

bool GGameLevelScene::onNodeUnfocused(CEventNodeUnfocused*)
{
	return false;
}

bool GGameLevelScene::onFeatureIncome(GEventFeatureIncome* event)
{
	money += event->amount;
	return false;
}

bool GGameLevelScene::onCafeRequest(CEvent*)
{
	return true;
}

bool GGameLevelScene::onPauseRequest(GEventPauseRequest* event)
{
	paused = event->pause;
	GRandomEventList* events = configuration ? configuration->getRandomEvents() : nullptr;
	for (u32 i = 0; events && i < events->getCount(); ++i)
		events->get(i)->setPaused(event->pause);
	if (TaskScheduler* scheduler = ownScheduler())
		scheduler->setEnabled(!event->pause);
	return true;
}

bool GGameLevelScene::onBuildingQuery(GEventBuildingExistsQuery* event)
{
	for (const SmartPointer<GBuildingNode>& building : buildings)
		if (building->isOwned() && contains(event->buildingTypes, building->getRecord()->getName()))
			event->exists = true;
	return true;
}
