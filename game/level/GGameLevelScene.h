#pragma once

#include "BuildingRules.h"
#include "GMoneyLetter.h"
#include "LevelBooks.h"
#include "core/IScheduledTask.h"
#include "core/SmartPointer.h"
#include "data/GameNodeTypeIds.h"
#include "data/GLevelModifierValues.h"
#include "data/IObjectiveLevelView.h"
#include "effects/ILevelPathsSource.h"
#include "scene/SceneNode.h"

#include <irrlicht/irrString.h>
#include <vector>

class CEventNodeClickPreview;
class CEventNodeClicked;
class CEventNodeFocused;
class CEventNodeHovered;
class CEventNodeSceneChangeStarted;
class CEventNodeUnfocused;
class CEventNodeUnhovered;
class GBuildingNode;
class GBuildingsConfiguration;
class CSoundCue;
class GBuildingType;
class GEventBrokenBuildingRequest;
class GEventBuildingExistsQuery;
class GEventBuildingReady;
class GEventCleanDone;
class GEventDestroyDone;
class GEventDirtyBuildingRequest;
class GEventFeatureEnded;
class GEventFeatureIncome;
class GEventLetterRequest;
class GEventPauseRequest;
class GEventRequest;
class GEventRepairDone;
class GEventResourcesReturned;
class GEventSellBuildingRequest;
class GEventServeDone;
class GEventWeatherRequest;
class GEventWorkCompleted;
class GLevelPath;
class GResourceOffer;
class TemplateCollectionNode;
class GLevelConfiguration;
class GLevelPaths;
class GLevelProcess;
class GNeutralCarTraffic;
class GUpgradeEffects;

// The level keeps its history in the entries the objectives read.
using GHistoryEntry = GObjectiveHistoryEntry;

// The live level: the building nodes of one city level, the player's money and stock, the running
// work processes and letters, the history of actions; root of the level's "Level.qscn".
class GGameLevelScene : public SceneNode, public IScheduledTask, public IObjectiveLevelView, public ILevelPathsSource
{
	ENGINE_NODE_TYPE(GGameLevelScene, NodeTypeGGameLevelScene, SceneNode)
	ENGINE_NODE_CLONE(GGameLevelScene)

public:
	static constexpr unsigned UpdatePeriod = 20;

	explicit GGameLevelScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                         INodeEventQueue* sceneManager = nullptr);
	~GGameLevelScene() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override { onLoad(); }
	// Finds the buildings, the level rect and the cargos node once the scene file is read.
	void onLoad();
	// The level scene never focuses a default child.
	void focusDefaultObject() override {}

	// ---- set-up, in the order the level start calls them
	void setBuildingsConfiguration(GBuildingsConfiguration* configuration);
	void setConfiguration(GLevelConfiguration* configuration);
	void setUpgrades(GUpgradeEffects* effects);
	void createNeutralCarTraffic(GLevelPaths* paths);
	void setPaused(bool value) { paused = value; }

	// ---- queries
	GBuildingNode* getSelectedBuilding() const;
	int countBuildingsOfType(StringId buildingType) const;
	GBuildingNode* findServer(int serviceId) const;
	static bool matchesRequest(const GBuildingNode* building, const irr::core::array<StringId>& buildingTypes,
	                           const irr::core::array<StringId>& placeNames);
	const std::vector<SmartPointer<GBuildingNode>>& getBuildings() const { return buildings; }
	BaseNode* getBuildingsNode() const { return buildingsNode.get(); }
	BaseNode* getCargosNode() const { return cargosNode.get(); }
	GLevelConfiguration* getLevelConfiguration() const { return configuration.get(); }
	GBuildingsConfiguration* getBuildingsConfiguration() const { return buildingsConfiguration.get(); }
	GUpgradeEffects* getUpgradeEffects() const { return upgradeEffects.get(); }
	GLevelPaths* getLevelPaths() const override { return levelPaths.get(); }
	GNeutralCarTraffic* getNeutralCarTraffic() const { return neutralCarTraffic.get(); }
	const LevelRect& getLevelRect() const { return levelRect; }
	bool isPaused() const { return paused; }
	bool areObjectivesMet() const { return objectivesMet; }
	const irr::core::stringc& getHintText() const { return hintText; }
	const std::vector<GHistoryEntry>& getHistory() const { return history; }
	const std::vector<int>& getServices() const { return services; }
	const std::vector<int>& getIdleServices() const { return idleServices; }

	// ---- economy
	bool run(unsigned elapsed) override { return update(elapsed); }
	// The tick: moves the cars, then (unless paused or completed) advances time and the processes.
	bool update(unsigned elapsed);
	void updateProcesses(irr::u32 elapsed);
	void addProcess(GLevelProcess* process);
	const std::vector<SmartPointer<GLevelProcess>>& getProcesses() const { return processes; }
	void recalculateStats();
	void checkObjectives();
	void collectServices();
	void addHistoryAction(const GHistoryEntry& entry) { history.push_back(entry); }
	void dropUnservedRequests();
	// Orders of materials and workers: paid at once, delivered after the offer's time. While one
	// order of a kind runs a second is refused, so no paid order is ever dropped.
	CommandRefusal checkOrder(const GResourceOffer* offer, float priceMultiplier, float orderLeft) const;
	bool buyMaterials(const GResourceOffer* offer);
	bool trainWorkers(const GResourceOffer* offer);
	int getRatingStars() const;
	// The values of the level modifiers in force, rebuilt by each recalculation; none without a
	// configuration.
	const GLevelModifierValues* getModifierValues() const { return configuration ? &modifierValues : nullptr; }
	GLevelModifierValues* getModifierValues() { return configuration ? &modifierValues : nullptr; }
	// The rain or snow node, shown while a weather request's time runs. The first entry makes one
	// when none was given before (tests give their own).
	void setWeatherNode(BaseNode* node) { weatherNode = shareRef(node); }
	BaseNode* getWeatherNode() const { return weatherNode.get(); }

	// ---- the player's commands: each check changes nothing and gives the reason to refuse; each
	// command acts only when its check finds none, then pays, starts the work and tells the play screen.
	bool canBuild(const GBuildingType* record) const;
	bool canBuy(const GBuildingNode* building) const;
	CommandRefusal checkBuildOnPlace(const GBuildingNode* building, const GBuildingType* record) const;
	CommandRefusal checkUpgrade(const GBuildingNode* building) const;
	CommandRefusal checkDestroy(const GBuildingNode* building) const;
	CommandRefusal checkRepair(const GBuildingNode* building) const;
	CommandRefusal checkClean(const GBuildingNode* building) const;
	CommandRefusal checkRestore(const GBuildingNode* building) const;
	CommandRefusal checkServeRequest(const GBuildingNode* building) const;
	CommandRefusal checkFeature(const GBuildingNode* building, int index) const;
	CommandRefusal checkAcceptBuyOffer(const GBuildingNode* building) const;
	CommandRefusal checkBuy(const GBuildingNode* building) const;
	CommandRefusal checkSale(const GBuildingNode* building) const;
	CommandRefusal checkAbort(const GBuildingNode* building) const;
	bool buildOnPlace(GBuildingNode* building, const GBuildingType* record);
	bool upgradeBuilding(GBuildingNode* building);
	bool destroyBuilding(GBuildingNode* building);
	bool repairBuilding(GBuildingNode* building);
	bool cleanBuilding(GBuildingNode* building);
	bool restoreBuilding(GBuildingNode* building);
	bool serveRequest(GBuildingNode* building);
	bool activateFeature(GBuildingNode* building, int index);
	bool acceptBuyOffer(GBuildingNode* building);
	bool buyBuilding(GBuildingNode* building);
	// Puts the building up for sale, or takes it off sale when it is on sale already.
	bool toggleSale(GBuildingNode* building);
	// Calls off the running build, demolition or worker job: the process gives back what it can.
	bool abortWork(GBuildingNode* building);
	// What each command takes, with the level's modifiers; the tooltips show these too.
	CommandCost buildCost(const GBuildingType* record) const;
	CommandCost repairCost(const GBuildingType* record) const;
	CommandCost cleanCost(const GBuildingType* record) const { return repairCost(record); }
	CommandCost destroyCost(const GBuildingType* record) const;
	CommandCost restoreCost(const GBuildingType* record) const;
	CommandCost featureCost(const GBuildingNode* building, int index) const;
	CommandCost buyCost(const GBuildingNode* building) const;
	// The record an upgrade of this one builds; none at the top of a line or when it is not known.
	SmartPointer<GBuildingType> nextLevelRecord(const GBuildingType* record) const;
	// Posts a message to the parent (mode 3); dropped when the scene has none yet.
	void postToParent(CEvent* event);

	// ---- what the objectives see
	float getMoney() const override { return money; }
	float getIncomePerDay() const override { return income; }
	int getGuests() const override { return guests; }
	int getTotalWorkers() const override { return totalWorkers; }
	irr::u32 getBuildingCount() const override { return static_cast<irr::u32>(buildings.size()); }
	GObjectiveBuilding getBuilding(irr::u32 index) const override;
	irr::u32 getHistoryCount() const override { return static_cast<irr::u32>(history.size()); }
	GObjectiveHistoryEntry getHistoryEntry(irr::u32 index) const override { return history[index]; }

	// ---- messages
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	virtual bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event);
	virtual bool onClickPreview(CEventNodeClickPreview* event);
	virtual bool onNodePressed(CEventNodeClicked* event);
	virtual bool onNodeHovered(CEventNodeHovered* event);
	virtual bool onNodeUnhovered(CEventNodeUnhovered* event);
	virtual bool onNodeFocused(CEventNodeFocused* event);
	virtual bool onNodeUnfocused(CEventNodeUnfocused* event);
	bool onFeatureIncome(GEventFeatureIncome* event);
	bool onPauseRequest(GEventPauseRequest* event);
	bool onBuildingQuery(GEventBuildingExistsQuery* event);
	bool onCafeRequest(CEvent* event);
	bool onWorkCompleted(GEventWorkCompleted* event);
	bool onDestroyDone(GEventDestroyDone* event);
	bool onRepairDone(GEventRepairDone* event);
	bool onCleanDone(GEventCleanDone* event);
	bool onServeDone(GEventServeDone* event);
	bool onBuildingReady(GEventBuildingReady* event);
	bool onFeatureEnded(GEventFeatureEnded* event);
	bool onResourcesReturned(GEventResourcesReturned* event);
	bool onSellRequest(GEventSellBuildingRequest* event);
	bool onBrokenRequest(GEventBrokenBuildingRequest* event);
	bool onDirtyRequest(GEventDirtyBuildingRequest* event);
	bool onLetterRequest(GEventLetterRequest* event);
	bool onWeatherRequest(GEventWeatherRequest* event);

	// Fields the play screen, processes, objectives and tutorial read and write directly.
	float elapsedTime = 0.0f; // ms played
	float scoreGain = 0.0f;
	float dayTime = 0.0f; // s since the last day change
	float rating = 0.0f;
	float money = 0.0f;
	float income = 0.0f;
	float possibleIncome = 0.0f;
	int guests = 0;
	int possibleGuests = 0;
	float materials = 0.0f;
	int freeWorkers = 0;
	int totalWorkers = 0;
	float materialOrderTime = 0.0f;  // ms
	float materialOrderLeft = -1.0f; // ms; -1 while no order runs
	float materialOrderAmount = 0.0f;
	float workerOrderTime = 0.0f;  // ms
	float workerOrderLeft = -1.0f; // ms; -1 while no training runs
	int workerOrderCount = 0;
	std::vector<SmartPointer<BaseNode>> moneyLetters; // letter nodes, each carrying its GMoneyLetter
	int weatherLeft = 0;                              // ms

private:
	void startRandomEvents(TaskScheduler* scheduler);
	void stopRandomEvents();
	TaskScheduler* ownScheduler() const;
	void selectBuilding(GBuildingNode* building);
	// Collects the letter on the building; false when it carries none.
	bool collectMoneyLetter(GBuildingNode* building);
	void postLevelCompleted();
	void updateMoneyLetters(irr::u32 elapsed);
	void expireMoneyLetter(size_t index);
	void updateWeather(irr::u32 elapsed);
	void setWeatherEnabled(bool enabled);
	void createWeatherNode();
	void startClouds();
	// Shared by the repair, clean and restore checks: an owned built building in that condition.
	CommandRefusal checkWorkerJob(const GBuildingNode* building, int condition, const CommandCost& cost) const;
	void pay(const CommandCost& cost);
	GLevelPath* carPathFor(const GBuildingNode* building) const;
	TemplateCollectionNode* templates() const;
	// Build and upgrade alike: the record becomes the building's, its process starts.
	void startBuild(GBuildingNode* building, const GBuildingType* record);
	void startWorkerJob(GBuildingNode* building, GLevelProcess* process, const CommandCost& cost);
	void finishWork(GBuildingNode* building, int historyAction, bool resetBreakdown);
	// The end of a worker's job on the building (none: nothing happens); the stats are told.
	void finishJob(GBuildingNode* building, int historyAction, bool resetBreakdown);
	void recordAction(int action, StringId buildingType, const GBuildingNode* building);
	// Candidates in building order; one picked with the multiply-with-carry generator, or none.
	template <class Test> GBuildingNode* pickBuilding(Test test) const;
	// A working building of the record type the request matches, out of its breakdown cooldown, falls
	// into the condition with the cue.
	void spoilRequestedBuilding(const GEventRequest* request, int recordType, int condition, const char* cue);

	SmartPointer<GNeutralCarTraffic> neutralCarTraffic; // its cars hold references too
	SmartPointer<BaseNode> buildingsNode;
	std::vector<SmartPointer<GBuildingNode>> buildings;
	SmartPointer<BaseNode> cargosNode;
	SmartPointer<GLevelConfiguration> configuration;
	GLevelModifierValues modifierValues;
	SmartPointer<GBuildingsConfiguration> buildingsConfiguration;
	SmartPointer<GUpgradeEffects> upgradeEffects;
	SmartPointer<GLevelPaths> levelPaths;
	LevelRect levelRect{0, 0, 1024, 768};
	GBuildingNode* selectedBuilding = nullptr; // one of the buildings
	GBuildingNode* previouslySelectedBuilding = nullptr;
	bool paused = false;
	bool objectivesMet = false;
	// Completion was reached while the scene had no parent to tell; told when the scene is entered.
	bool completionUndelivered = false;
	// Random events and clouds start on the first entry only; later entries only resume the tick.
	bool enteredOnce = false;
	irr::core::stringc hintText; // dictionary key between percent signs, or empty
	std::vector<SmartPointer<GLevelProcess>> processes;
	std::vector<GHistoryEntry> history;
	std::vector<int> services;
	std::vector<int> idleServices;
	SmartPointer<BaseNode> weatherNode;
	SmartPointer<CSoundCue> rainCue; // the rain now playing, to start it only once
};
