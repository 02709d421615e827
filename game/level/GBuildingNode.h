#pragma once

#include "BuildingRules.h"
#include "GBuildingIcons.h"
#include "GFeatureState.h"
#include "core/IScheduledTask.h"
#include "core/SmartPointer.h"
#include "data/GameCodes.h"
#include "data/GameNodeTypeIds.h"
#include "scene/ControlNode.h"

#include <map>
#include <vector>

class CSoundCue;
class GBuildingType;
class GGameLevelScene;
class GLevelConfiguration;
class GLevelProcess;

// Shows a timer ring on a node of background, ring and hand: the sweep, its colour from green over
// yellow to red, and one warning cue once the ratio passes 0.75.
void showCountdownRing(BaseNode* node, float ratio);

// One building place of a level and what stands on it: its own copy of the level record, condition,
// running work, ownership and sale, features, income and serve area, and the icons above it.
class GBuildingNode : public ControlNode, public IScheduledTask
{
	ENGINE_NODE_TYPE(GBuildingNode, NodeTypeGBuildingNode, ControlNode)
	ENGINE_NODE_CLONE(GBuildingNode)

public:
	static constexpr unsigned UpdatePeriod = 50;

	enum Condition
	{
		Normal = BuildingCondition::Normal,
		Broken = BuildingCondition::Broken,
		Dirty = BuildingCondition::Dirty,
		RunDown = BuildingCondition::RunDown,
		DeliveryRequest = BuildingCondition::DeliveryRequest,
		CateringRequest = BuildingCondition::CateringRequest,
	};
	enum WorkKind
	{
		NoWork = BuildingWork::None,
		BuildWork = BuildingWork::Build,
		DemolitionWork = BuildingWork::Demolition,
		WorkerJob = BuildingWork::WorkerJob,
		ServingWork = BuildingWork::Serving,
		FeatureWork = BuildingWork::Feature,
	};

	explicit GBuildingNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                       INodeEventQueue* sceneManager = nullptr);
	~GBuildingNode() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// ---- set-up and record
	// Back-link set by the level set-up; the level owns the building.
	void setLevelScene(GGameLevelScene* level) { levelScene = level; }
	GGameLevelScene* getLevelScene() const { return levelScene; }
	void setLevelConfiguration(GLevelConfiguration* configuration);
	GLevelConfiguration* getLevelConfiguration() const { return configuration.get(); }
	// Installs a copy of the record; restore brings back the state saved before a cancelled work.
	void setLevelRecord(const GBuildingType* record, bool restore);
	void saveState();
	void setLuckiness(int value);
	int getLuckiness() const { return luckiness; }
	// Null only before the first record (a default record until then).
	GBuildingType* getRecord() const { return record.get(); }
	GBuildingType* getPreviousRecord() const { return previousRecord.get(); }

	// ---- state
	void setWork(int kind, GLevelProcess* process);
	int getWorkKind() const { return workKind; }
	GLevelProcess* getProcess() const { return process.get(); }
	void cancelWork();
	float getWorkProgress() const;
	void setCondition(int value);
	int getCondition() const { return condition; }
	void setOwned(bool value);
	bool isOwned() const { return owned; }
	bool isForSale() const { return forSale; }
	bool isBuyerPending() const { return buyerPending; }
	bool isWorking() const;
	void notifyChanged();
	int getLetterCooldown() const { return letterCooldown; }
	void setLetterCooldown(int ms) { letterCooldown = ms; }
	int getBreakdownCooldown() const { return breakdownCooldown; }
	void setBreakdownCooldown(int ms) { breakdownCooldown = ms; }

	// ---- display
	void setStars(int level = -1, int hiddenStar = -1);
	irr::core::vector3df getStarCentre() const;
	void setWorkersText(int count);
	void updateFeatureIcons();
	void startWorkSound();
	void stopWorkSound();
	StringId getWorkCueName() const;
	// Gives every sprite of the building (not its icons) the tint; opaque black takes it away.
	void tintSprites(irr::video::SColor tint);

	// ---- income and serve areas
	// The serve rectangle: the boosted size while a serve-area boost runs, unless plainArea asks for the normal one.
	LevelRect getServeRect(const GBuildingType* forRecord, bool plainArea = false) const;
	LevelRect getSelfServingRect() const;
	std::vector<GBuildingNode*> collectServeArea(const GBuildingType* forRecord, bool plainArea = false) const;
	int countServedGuests(const GBuildingType* forRecord, bool plainArea = false) const;
	// With none: the current record, or the previous one while a hotel is being upgraded.
	float getIncome(const GBuildingType* forRecord = nullptr) const;
	float getFeatureIncome() const;
	irr::core::stringw getIncomeText(const GBuildingType* forRecord) const;
	GBuildingNode* getServerFor(StringId buildingType) const;
	void setServerFor(StringId buildingType, GBuildingNode* server);
	void registerAsServer();
	// Forgets this building as the server of every building it serves.
	void unregisterAsServer();
	void updateIncomeBonus();
	float getIncomeBonus() const { return incomeBonus; }
	const std::vector<GBuildingNode*>& getBonusSources() const { return bonusSources; }
	void updateBonusIcon();
	void updateServeArea(const GBuildingType* forRecord);
	BaseNode* getServeAreaNode() const { return icons.serveArea; }
	void showBuildPreview(const GBuildingType* forRecord);

	// ---- features
	bool isFeatureAllowed(int index) const;
	int getFeatureState(int index) const;
	float getFeatureProgress(int index) const;
	void activateFeature(int index);
	void updateFeatures(int dt);
	const std::vector<GFeatureState>& getFeatureStates() const { return featureStates; }

	// ---- sale
	float getPrice(const GBuildingType* forRecord = nullptr) const;
	int getOfferPrice() const;
	float getOfferMultiplier() const { return offerMultiplier; }
	void setForSale(bool value);
	void setBuyRequest(bool value);
	void declineBuyRequest();
	void endSale();
	void updateSale(int dt);
	int getSaleTimeLimit() const { return saleTimeLimit; }
	int getSaleTimer() const { return saleTimer; }

	// ---- timers
	bool run(unsigned elapsed) override { return update(elapsed); }
	bool update(unsigned elapsed);

	// ---- control overrides
	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;
	void applyTemplate() override;
	void enterPressVisualState() override;
	void restoreVisualStateAfterPress() override {}
	void updatePressedVisualState() override {}
	void updateHoverVisualState() override;
	void updateFocusVisualState() override;
	void updateEnabledVisualState() override {}
	bool onMouseLeftDown(CEventInputMouseLeftDown* event) override;
	bool onMouseLeftUp(CEventInputMouseLeftUp* event) override;

	// Nodes made from templates are internal: drawn and placed here, never saved or cloned.
	void addToRenderList(RenderList& list) override;
	void updateAbsoluteTransform() override;
	void updateAbsoluteColor() override;
	void attachToSceneManager(INodeEventQueue* sceneManager, SceneNode* scene) override;

private:
	// The price as the sign shows it: "MoneyDollar" with thousands separators.
	void showPriceText(float price);
	void restartSaleSignRing(BaseNode* owner);
	int randomTime(const irr::core::vector2df& range) const;
	// Offers a message to the level's own handling and then to the level's parents.
	void report(CEvent* event);
	const std::vector<SmartPointer<GBuildingNode>>* levelBuildings() const;
	const GBuildingType* incomeRecord(const GBuildingType* forRecord) const;

	int workKind = NoWork;
	SmartPointer<GLevelProcess> process; // kept until the work ends, so it is never a dangling pointer
	SmartPointer<CSoundCue> workSound;
	std::vector<GFeatureState> featureStates;
	std::vector<GFeatureState> savedFeatureStates;
	bool owned = false;
	bool forSale = false;
	bool buyerPending = false;
	float offerMultiplier = 1.0f;
	int saleTimeLimit = 0;         // ms
	int saleTimer = 0;             // ms
	int letterCooldown = 5000;     // ms since the last money letter
	int breakdownCooldown = 10000; // ms since the last build, repair or cleaning
	int condition = Normal;
	int savedCondition = Normal;
	GGameLevelScene* levelScene = nullptr; // back-link: the level owns the building
	SmartPointer<GLevelConfiguration> configuration;
	SmartPointer<GBuildingType> record;
	SmartPointer<GBuildingType> previousRecord;
	float incomeBonus = 0.0f;                   // percent
	std::vector<GBuildingNode*> bonusSources;   // buildings of the same level, rebuilt with the bonus
	std::map<StringId, GBuildingNode*> servers; // per building type; buildings of the same level

	GBuildingIcons icons;
	int luckiness = 0;
};
