#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "data/GameCodes.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector3d.h>
#include <vector>

class BaseProgressBarNode;
class CheckBoxNode;
class ControlNode;
class SpriteNode;
class GBuildingNode;
class GBuildingType;
class GEllipseSectorNode;
class GEvent;
class GEventFeatureIncome;
class GEventNewDay;
class GEventResourcesReturned;
class GEventSelectionChanged;
class GEventWorkCompleted;
class GGameLevelScene;
class GObjectiveList;
class GTutorial;
class CProfile;
class GResourceOffer;
class ListNode;
class TabSceneNode;
class TemplateCollectionNode;
class TextNode;

// The play screen: the interface over a running level. Starts the level, shows it inside its own
// tree, drives music, clock, HUD and hints, and turns the player's clicks into level commands.
class GGamePlayScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GGamePlayScene, NodeTypeGGamePlayScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GGamePlayScene)

public:
	static constexpr unsigned UpdatePeriod = 20;
	static constexpr const char* FileName = "scenes/GamePlayScene.qscn";
	// Remaining level time below which the alarm sounds, ms.
	static constexpr int AlarmTime = 15000;
	// Height of a 119 x 101 feature button's face left above its recharge overlay (101: no overlay).
	static int featureOverlayTop(float fraction);
	// Space below the last goal inside the goals panel.
	static constexpr float GoalsPanelMargin = 5.0f;

	// Where the level clock stands: counting, the last seconds with the alarm, or over.
	enum class ClockPhase
	{
		Running,
		AlmostEnd,
		TimeOver,
	};

	explicit GGamePlayScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);
	~GGamePlayScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	// Binds the named child nodes; a missing or wrongly typed one stays null.
	void onLoad();

	// ---- lifecycle
	// Prepares the level in the folder (narrow, ending in "/") and shows it in the level layer;
	// false, with nothing changed, when the level cannot start. Called once before the push.
	bool startLevel(const irr::core::stringc& folder, GGameLevelScene* level);
	// Unregisters and stops the tutorial.
	void endTutorial();

	bool run(unsigned elapsed) override { return update(elapsed); }
	bool update(unsigned elapsed);

	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onWindowActivate(CEventSystemFlowWindowActivate* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onListItemPressed(CEventNodeListItemClicked* event) override;
	bool onListItemHovered(CEventNodeListItemHovered* event) override;
	bool onNodeHovered(CEventNodeHovered* event) override;
	bool onNodeUnhovered(CEventNodeUnhovered* event) override;
	bool onNodeUnfocused(CEventNodeUnfocused* event) override;

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	// ---- the level's messages
	bool onLevelCompletedMessage(GEvent* event);
	bool onNewDay(GEvent* event);
	bool onWorkCompleted(GEventWorkCompleted* event);
	bool onFeatureIncome(GEventFeatureIncome* event);
	bool onResourcesReturned(GEvent* event);
	bool onSelectionChanged(GEvent* event);
	bool consume(GEvent*) { return true; }

	// ---- head-up display
	bool refreshHud(GEvent* event = nullptr);
	void refreshStats();
	void refreshRating();
	void fillGoals();
	void refreshGoals();
	void layoutGoals(const std::vector<CheckBoxNode*>& boxes, const GObjectiveList* objectives, bool longForm);
	// Puts the visible boxes one under the other from the first one's place, gap pixels apart.
	static void stackGoalBoxes(const std::vector<CheckBoxNode*>& boxes, float gap);
	// Sizes "GoalsPanel" to hold the goals of the head-up display.
	void fitGoalsPanel();
	// One step of the level's hint window while no tutorial runs.
	void updateHintWindow(unsigned elapsed);
	void updateHintStrip();
	void closeHintWindow();

	// ---- build lists and purchase lists
	void setupBuildTabs();
	void fillBuildList(int kind);
	void refreshBuildList(int kind);
	void fillMaterialsOffers();
	void fillWorkersOffers();
	void refreshMaterialsOrder();
	void refreshWorkersOrder();
	void showMaterialsHint(const GResourceOffer* offer, bool enabled);
	void showWorkersHint(const GResourceOffer* offer, bool enabled);

	// ---- building panels and commands
	// The progress and hint texts of a building's running work; empty for none or serving.
	struct WorkTexts
	{
		irr::core::stringw progress;
		irr::core::stringw hint;
	};
	WorkTexts getWorkTexts(const GBuildingNode* building) const;
	void refreshPanels();
	void refreshActionPanel();
	void setupHotelButtons(GBuildingNode* building, BaseNode* node);
	void setupJoyButtons(GBuildingNode* building, BaseNode* node);
	void setupServiceButton(GBuildingNode* building, BaseNode* node);
	// Covers the lower part of a feature button by its recharge overlay; a fraction below 0 hides it.
	static void showFeatureProgress(ControlNode* button, float fraction);
	// The lock picture over a second feature that no upgrade allows yet; none for an allowed one.
	static void showFeatureLock(SpriteNode* lock, const GBuildingType* record);
	void refreshBuyPanel();
	void refreshOfferPanel();
	void refreshPlacePanel();
	// Name, price, figures and description of the record on the building, in a "BuildingInfoNode".
	void fillBuildingInfo(BaseNode* info, const GBuildingType* record, const GBuildingNode* building, bool longText);
	// The record's picture in a "Preview" sprite, with a hotel's level stars in its sprite children.
	void showPreview(BaseNode* preview, const GBuildingType* record);
	// The command of a button on the selected building; false for a name that is not one (and for the
	// offer buttons, which leave the click to others too).
	bool onBuildingCommand(StringId name, GBuildingNode* selected);

	// ---- hover feedback
	// With a money amount above 0 the tooltip shows that price too.
	void showMaterialsWorkersTooltip(const irr::core::vector3df& at, const irr::core::stringw& title, int materials,
	                                 int workers, int money = 0);
	void showWorkersTooltip(const irr::core::vector3df& at, const irr::core::stringw& title, int workers);
	void showMoneyTooltip(const irr::core::vector3df& at, const irr::core::stringw& title, bool compare, int amount);
	void showFeatureTooltip(const irr::core::vector3df& at, const irr::core::stringw& title);
	void hideTooltips();
	// The last tooltip again with its remembered values, its colours following the stock.
	void reshowTooltip();
	void showBuildingInfoNode(const GBuildingType* record, GBuildingNode* building);
	void highlightHovered(const GBuildingType* record, GBuildingNode* building);
	void showBuildTabHint(int kind, BaseNode* page, const GBuildingType* record, const GBuildingNode* building);
	void showPlaceHint(const BaseNode* hovered);
	void showBuyHint(const BaseNode* hovered);
	void showOfferHint(const BaseNode* hovered);
	void showBuildingHint(const BaseNode* hovered);
	GBuildingNode* getHoveredBuilding() const { return hoveredBuilding; }

	// ---- completion
	bool onLevelCompleted(bool normalScoreOnly);
	bool checkMoneyAchievements();
	bool showAchievementPopup();
	bool showLevelCompletedScene();

	// ---- what tests and the flow scenes read
	GGameLevelScene* getLevelScene() const { return levelScene.get(); }
	GTutorial* getTutorial() const { return tutorial.get(); }
	BaseNode* getHintWindow() const { return hintWindow; }
	BaseNode* getMoneyStar() const { return moneyStar; }
	// Shown and not rolling up: a window that plays its closing look counts as closed.
	bool isHintWindowOpen() const;
	int getPendingAction() const { return pendingAction; }
	bool isEntered() const { return entered; }
	bool areObjectivesShown() const { return objectivesShown; }
	bool isFocusPaused() const { return focusPaused; }
	bool isTutorialStarted() const { return tutorialStarted; }
	ClockPhase getClockPhase() const { return clockPhase; }
	StringId getMusicCue() const { return musicCue; }
	const irr::core::array<int>& getAchievementQueue() const { return achievementQueue; }

private:
	struct OrderPage;

	// The level start, step by step.
	bool readLevelConfiguration(const irr::core::stringc& folder);
	// Reads the level's tutorial when the player wants hints or tips; it starts after the objectives.
	void loadTutorial(const irr::core::stringc& folder, const CProfile& profile);
	void skipTutorialHint();
	void startTutorial();
	void runPendingAction();
	void showObjectives();
	void updateClock();
	void updateDayBar();
	void setLevelSchedulerEnabled(bool enabled);
	void pauseThroughApplication();
	// Lets the money star rise over the building whose feature paid.
	void burstMoneyStar(const GBuildingNode* building);
	// Hands the level back its clock when the pause came from this screen's focus loss.
	void resumeFocusPause();
	bool isTopScene() const;
	TemplateCollectionNode* uiTemplates() const;
	// Loads a scene file as content; the scene when it is of the type, else null.
	SmartPointer<SceneNode> loadSceneOfType(const char* fileName, int typeId) const;
	bool pushOver(SceneNode* scene);
	void queueAchievement(int index, int value);
	void refreshOrder(const OrderPage& page);
	void clearHovered();
	void resetBuildTabHints(const GBuildingNode* building);
	void showOrderHint(const OrderPage& page, const GResourceOffer* offer, bool enabled);
	void fillOffers(const OrderPage& page);

	irr::core::array<int> achievementQueue;
	bool developerCompletion = false;

	// Nodes of this scene's own tree, found by onLoad; owned by the tree, null when missing.
	BaseNode* internalScene = nullptr;
	BaseNode* gameMenu = nullptr;
	TextNode* moneyText = nullptr;
	TextNode* incomeText = nullptr;
	BaseProgressBarNode* dayBar = nullptr;
	BaseNode* ratingNode = nullptr;
	TextNode* ratingText = nullptr;
	BaseProgressBarNode* ratingBar = nullptr;
	std::vector<BaseNode*> ratingStars;
	std::vector<BaseNode*> overviewStars;
	BaseNode* timeNode = nullptr;
	GEllipseSectorNode* clockRing = nullptr;
	TextNode* timeText = nullptr;
	TextNode* targetTimeText = nullptr;
	BaseNode* clockHand = nullptr;
	std::vector<CheckBoxNode*> goalBoxes;
	std::vector<CheckBoxNode*> overviewGoals;
	TabSceneNode* tabControl = nullptr;
	BaseNode* tabs[PlayTab::Count] = {};
	TextNode* tabHints[PlayTab::Count] = {}; // each page's "HintText"
	TextNode* workHint = nullptr;            // the building page's work line, on the hint line while work runs
	BaseNode* hintStrip = nullptr;
	ListNode* buildLists[3] = {}; // by kind: hotels, factories, joys
	TextNode* materialsAmountText = nullptr;
	TextNode* workersAmountText = nullptr;

	// The last tooltip shown, so that a HUD refresh can colour it anew.
	irr::core::stringw tooltipTitle;
	int tooltipMaterials = 0;
	int tooltipWorkers = 0; // workers, or for the money tooltip 1 when the amount is compared with the money
	int tooltipMoney = 0; // money tooltip's amount, or the materials-and-workers tooltip's price
	int tooltipFeature = -1;                      // feature whose button is hovered
	GBuildingNode* hoveredBuilding = nullptr;     // one of the level's buildings, or null
	const GBuildingType* hoveredRecord = nullptr; // held by the buildings configuration

	SmartPointer<GGameLevelScene> levelScene;
	SmartPointer<GTutorial> tutorial; // started by pending action 2
	BaseNode* hintWindow = nullptr;   // clone of "TutorialWindow" under "InternalGamePlayScene"
	BaseNode* moneyStar = nullptr;    // clone of "MoneyStar" under "InternalGamePlayScene"
	int hintTimer = 0;                // ms
	std::vector<irr::core::stringc> shownHints;
	bool objectivesShown = false;
	bool tutorialStarted = false;
	StringId musicCue;
	bool musicStarted = false;
	ClockPhase clockPhase = ClockPhase::Running;
	bool entered = false;
	bool focusPaused = false; // the level was paused by a focus loss and waits for the screen to be entered
	int pendingAction = 0; // 0 none, 1 show the objectives, 2 start the tutorial, 3 after a popup
};
