#include "GGamePlayScene.h"

#include "GLevelObjectivesScene.h"
#include "app/GGameApplication.h"
#include "app/NodeLookup.h"
#include "audio/CSoundManager.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "data/GAchievements.h"
#include "data/GBuildingType.h"
#include "data/GEventFeatureIncome.h"
#include "data/GEventLevelCompleted.h"
#include "data/GEventLevelStatsChanged.h"
#include "data/GEventNewDay.h"
#include "data/GEventPauseRequest.h"
#include "data/GEventResourcesReturned.h"
#include "data/GEventSelectionChanged.h"
#include "data/GEventWeatherRequest.h"
#include "data/GEventWorkCompleted.h"
#include "data/GLevelConfiguration.h"
#include "data/GObjectiveList.h"
#include "data/GLevelPaths.h"
#include "data/GLevelScores.h"
#include "data/GUpgradeEffects.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "level/GBuildingNode.h"
#include "level/GEllipseSectorNode.h"
#include "level/GGameLevelScene.h"
#include "nodes/BaseProgressBarNode.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/ListNode.h"
#include "nodes/TextNode.h"
#include "play/tutorial/GTutorial.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TabSceneNode.h"
#include "scene/TemplateCollectionNode.h"

namespace
{
using nodelookup::child;
using nodelookup::childOf;

constexpr int KeyEscape = 27;
constexpr int KeyE = 69;
constexpr int KeyR = 82;
constexpr int KeyMultiply = 106;
constexpr int KeyAdd = 107;
constexpr int KeyDivide = 111;
constexpr int KeyMinus = 189;
constexpr int LevelSoundGroup = 2;
constexpr const char* InGameMenuFile = "scenes/InGameMenuScene.qscn";
constexpr const char* HelpFile = "scenes/HelpScene.qscn";
constexpr const char* ObjectivesFile = "scenes/LevelObjectivesScene.qscn";

void setGroupPaused(bool paused)
{
	IDevice* device = Singleton<IDevice>::peek();
	if (CSoundManager* sounds = device ? device->getSoundManager() : nullptr)
		sounds->setGroupPaused(paused, LevelSoundGroup);
}

CProfile* currentProfile()
{
	return CProfileManager::instance()->getActiveProfile();
}
} // namespace

GGamePlayScene::GGamePlayScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	mask |= EventCategoryGame;
	period = UpdatePeriod;
}

GGamePlayScene::~GGamePlayScene()
{
	endTutorial();
	levelScene = nullptr;
	stopCue("AlmostEnd");
}

const irr::core::stringw& GGamePlayScene::typeNameText()
{
	static const irr::core::stringw name(L"GGamePlayScene");
	return name;
}

void GGamePlayScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GGamePlayScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	onLoad();
}

void GGamePlayScene::onLoad()
{
	internalScene = child(this, "InternalGamePlayScene");
	gameMenu = child(internalScene, "GameMenu");
	if (!gameMenu)
		return;
	BaseNode* moneyNode = child(gameMenu, "MoneyNode");
	moneyText = childOf<TextNode>(moneyNode, "MoneyText");
	incomeText = childOf<TextNode>(moneyNode, "IncomeText");
	dayBar = childOf<BaseProgressBarNode>(moneyNode, "ProgressBar");
	ratingNode = child(gameMenu, "RatingNode");
	ratingText = childOf<TextNode>(ratingNode, "ProgressBarText");
	ratingBar = childOf<BaseProgressBarNode>(ratingNode, "ProgressBar");
	timeNode = child(gameMenu, "TimeNode");
	clockRing = childOf<GEllipseSectorNode>(timeNode, "Ellipse");
	timeText = childOf<TextNode>(timeNode, "TimeText");
	targetTimeText = childOf<TextNode>(timeNode, "TargetTimeText");
	clockHand = child(timeNode, "LongArrow");
	goalBoxes.clear();
	if (BaseNode* goals = child(gameMenu, "GoalsNode"))
		for (irr::u32 i = 0; i < goals->getChildren().size(); ++i)
			if (CheckBoxNode* checkBox = nodeCast<CheckBoxNode>(goals->getChildren()[i]))
				goalBoxes.push_back(checkBox);
	materialsAmountText = childOf<TextNode>(gameMenu, "MaterialsAmountTabText");
	workersAmountText = childOf<TextNode>(gameMenu, "WorkersAmountTabText");

	tabControl = childOf<TabSceneNode>(gameMenu, "ActionsTabScene");
	for (int i = 0; i < PlayTab::Count; ++i)
	{
		tabs[i] = tabControl ? child(tabControl, ("Tab" + std::to_string(i + 1)).c_str()) : nullptr;
		tabHints[i] = childOf<TextNode>(tabs[i], "HintText");
	}
	workHint = childOf<TextNode>(child(tabs[PlayTab::Actions], "ProgressNode"), "HintText");
	hintStrip = child(gameMenu, "HintStrip");
	buildLists[0] = childOf<ListNode>(tabs[PlayTab::Hotels], "HotelsBuildList");
	buildLists[1] = childOf<ListNode>(tabs[PlayTab::Factories], "FactoriesBuildList");
	buildLists[2] = childOf<ListNode>(tabs[PlayTab::Joys], "JoysBuildList");

	ratingStars.assign(6, nullptr);
	overviewStars.assign(6, nullptr);
	overviewGoals.assign(4, nullptr);
	BaseNode* overviewRating = child(tabs[PlayTab::Overview], "RatingNode");
	BaseNode* overviewGoalsNode = child(tabs[PlayTab::Overview], "GoalsNode");
	for (int i = 0; i < 6; ++i)
	{
		const std::string star = "Star" + std::to_string(i + 1);
		ratingStars[i] = child(ratingNode, star.c_str());
		overviewStars[i] = child(overviewRating, star.c_str());
		if (i < 4)
			overviewGoals[i] = childOf<CheckBoxNode>(overviewGoalsNode, ("Goal" + std::to_string(i + 1)).c_str());
	}
}

// ---- the level start

bool GGamePlayScene::startLevel(const irr::core::stringc& folder, GGameLevelScene* level)
{
	CProfile* profile = currentProfile();
	if (folder.empty() || !level || !internalScene || !gGameApplication || !gGameApplication->worldSceneManager ||
	    !profile)
		return false;
	IFileSystem* files = getDevice()->getFileSystem();
	SmartPointer<CXMLReader> reader(files ? files->createXMLReader(folder + GLevelConfiguration::FileName) : nullptr);
	if (!reader)
	{
		getLogger()->log("Unable to find configuration for the level", folder.c_str(), 2);
		return false;
	}
	SmartPointer<GLevelConfiguration> configuration(new GLevelConfiguration());
	const bool whole = configuration->load(reader.get());
	reader = nullptr;
	// A cut file or one without a single valid objective would be won before any play.
	if (!whole || configuration->getObjectives()->getCount() == 0)
	{
		getLogger()->log("The level's configuration is damaged or has no valid objective", folder.c_str(), 2);
		return false;
	}

	const irr::core::stringc scoreKey = irr::core::stringc("level") + narrow(configuration->getName()).c_str();
	GLevelScores* scores = gGameApplication->levelScores.get();
	const GLevelScoreEntry entry = scores ? scores->lookup(scoreKey) : GLevelScores::Missing;
	if (scores && !scores->contains(scoreKey))
		scores->insert(scoreKey, entry);
	configuration->setScore(entry.score);
	configuration->setExpertScore(entry.expertScore);
	configuration->setLevelTime(entry.time);

	SmartPointer<GLevelPaths> paths(new GLevelPaths());
	if (SmartPointer<CXMLReader> pathsReader{files->createXMLReader(folder + "LevelPaths.xml")})
		paths->load(pathsReader.get());

	endTutorial();
	levelScene = shareRef(level);
	loadTutorial(folder, *profile);

	if (ratingNode)
		ratingNode->setVisible(configuration->isRatingOn());
	if (timeText)
		timeText->setVisible(configuration->isClockOn());
	if (clockRing)
		clockRing->setAngle1(0);

	// Not yet pushed, the screen has no scene manager of its own: the templates are the UI's.
	TemplateCollectionNode* templates = uiTemplates();
	if (!hintWindow && templates)
	{
		if (BaseNode* window = templates->findTemplate(internStringId("TutorialWindow")))
		{
			hintWindow = window->clone(internalScene, gGameApplication->uiSceneManager);
			hintWindow->setVisible(false);
			if (BaseNode* skip = child(hintWindow, "SkipTutorialButton"))
				skip->setVisible(false);
		}
	}
	// One star over the whole screen, moved to the building whose feature pays.
	if (!moneyStar && templates)
		if (BaseNode* star = templates->findTemplate(internStringId("MoneyStar")))
			moneyStar = star->clone(internalScene, gGameApplication->uiSceneManager);

	level->setBuildingsConfiguration(gGameApplication->buildingsConfiguration.get());
	level->setConfiguration(configuration.get());
	SmartPointer<GUpgradeEffects> upgrades(new GUpgradeEffects());
	upgrades->collect(gGameApplication->upgradesConfiguration.get(), configuration.get(),
	                  profile->getInt(ProfileKey::LevelIndex));
	level->setUpgrades(upgrades.get());
	level->createNeutralCarTraffic(paths.get());
	level->setPaused(false);
	gGameApplication->worldSceneManager->showScene(level);
	clockPhase = ClockPhase::Running;
	return true;
}

void GGamePlayScene::loadTutorial(const irr::core::stringc& folder, const CProfile& profile)
{
	bool hints = false;
	if (profile.getBool(ProfileKey::ShowTutorialOn))
		hints =
		    gDeveloperMode || profile.getInt(ProfileKey::ShowTutorialLevel) < profile.getInt(ProfileKey::LevelIndex);
	const bool tips = profile.getBool(ProfileKey::ShowTipsOn);
	IFileSystem* files = getDevice()->getFileSystem();
	if ((!hints && !tips) || !files)
		return;
	SmartPointer<CXMLReader> reader(files->createXMLReader(folder + "Tutorial.xml"));
	if (!reader)
		return;
	tutorial = SmartPointer<GTutorial>(
	    new GTutorial(internalScene, uiTemplates(), gGameApplication ? gGameApplication->contentManager : nullptr));
	tutorial->load(reader.get(), levelScene.get());
	if (!hints)
		tutorial->disableTutorialHints();
	if (!tips)
		tutorial->disableTips();
	preListeners.push_back(tutorial.get());
	levelScene->preListeners.push_back(tutorial.get());
	if (tabControl)
		tabControl->preListeners.push_back(tutorial.get());
	for (const SmartPointer<GBuildingNode>& building : levelScene->getBuildings())
		building->preListeners.push_back(tutorial.get());
}

void GGamePlayScene::endTutorial()
{
	if (!tutorial)
		return;
	removePreListener(tutorial.get());
	if (levelScene)
	{
		levelScene->removePreListener(tutorial.get());
		for (const SmartPointer<GBuildingNode>& building : levelScene->getBuildings())
			building->removePreListener(tutorial.get());
	}
	if (tabControl)
		tabControl->removePreListener(tutorial.get());
	tutorial->stop();
	tutorial = nullptr;
}

void GGamePlayScene::skipTutorialHint()
{
	CProfile* profile = currentProfile();
	if (!tutorial)
		return;
	if (tutorial->isCurrentHintTip())
	{
		tutorial->disableTips();
		if (profile)
			profile->setBool(ProfileKey::ShowTipsOn, false);
	}
	else
	{
		tutorial->disableTutorialHints();
		if (profile)
			profile->setBool(ProfileKey::ShowTutorialOn, false);
	}
	if (profile)
		profile->save();
	if (levelScene && levelScene->isPaused())
	{
		SmartPointer<GEventPauseRequest> resume(new GEventPauseRequest(false));
		if (!levelScene->onEvent(resume.get()))
			levelScene->sendToParent(DeliverSelfThenParent, resume.get());
	}
}

// ---- scene changes

bool GGamePlayScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	entered = false;
	if (event->oldScene == this)
	{
		setLevelSchedulerEnabled(false);
		setGroupPaused(true);
		return false;
	}
	if (event->newScene != this)
		return false;
	setGroupPaused(false);
	stopCue("MenuMusic");
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	const int setting = configuration ? configuration->getSettingIndex() : 1;
	musicCue = internStringId(("GameMusicSetting" + std::to_string(setting)).c_str());

	SceneManager* layer = gGameApplication ? gGameApplication->worldSceneManager : nullptr;
	if (event->flag && internalScene && layer && levelScene)
	{
		internalScene->insertChildAfter(layer, nullptr);
		levelScene->attachToSceneManager(layer, levelScene.get());
		musicStarted = false;
	}
	setupBuildTabs();
	fillBuildList(0);
	fillBuildList(2);
	fillBuildList(1);
	fillMaterialsOffers();
	fillWorkersOffers();
	fillGoals();
	update(0);
	refreshHud();
	if (configuration && targetTimeText)
		targetTimeText->setText(
		    formatMinutesSeconds(static_cast<unsigned>(std::max(0, configuration->getLevelTime())) * 1000));
	if (timeText)
		timeText->setText(formatMinutesSeconds(0));
	return true;
}

bool GGamePlayScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	if (GBaseSceneNode::onSceneChangeFinished(event))
		return true;
	if (event->newScene == this)
	{
		entered = true;
		if (event->flag)
			pendingAction = 1;
		else if (event->oldScene && event->oldScene->isKindOf(NodeTypeGLevelObjectivesScene))
			pendingAction = 2;
		else if (event->oldScene && event->oldScene->isKindOf(NodeTypeGAchievementUnlockedScene))
			pendingAction = 3;
		setLevelSchedulerEnabled(true);
		resumeFocusPause();
		return true;
	}
	// A late report of having been covered must not stop a level that is on top again.
	if (event->oldScene == this && !isTopScene())
	{
		setLevelSchedulerEnabled(false);
		setGroupPaused(true);
	}
	return false;
}

void GGamePlayScene::setLevelSchedulerEnabled(bool enabled)
{
	if (TaskScheduler* scheduler = levelScene ? levelScene->getTaskScheduler() : nullptr)
		scheduler->setEnabled(enabled);
}

TemplateCollectionNode* GGamePlayScene::uiTemplates() const
{
	SceneManager* ui = gGameApplication ? gGameApplication->uiSceneManager : nullptr;
	return ui ? ui->getTemplateCollection() : nullptr;
}

bool GGamePlayScene::isTopScene() const
{
	const SceneManager* manager = getSceneManagerNode();
	return manager && manager->getTopScene() == this;
}

// ---- the frame

bool GGamePlayScene::update(unsigned elapsed)
{
	updateTime(elapsed);
	if (!isTopScene())
		return true;
	if (activeTime >= 2000 && !musicStarted)
	{
		playCue(getStringById(musicCue).c_str(), true);
		musicStarted = true;
	}
	if (pendingAction != 0)
	{
		runPendingAction();
		return true;
	}
	if (levelScene && getDevice()->getDictionary())
	{
		updateClock();
		updateDayBar();
		const GBuildingNode* selected = levelScene->getSelectedBuilding();
		if (selected && (selected->getWorkKind() != GBuildingNode::NoWork || selected->getFeatureState(0) != 0 ||
		                 selected->getFeatureState(1) != 0))
			refreshActionPanel();
		if (levelScene->materialOrderLeft >= 0.0f)
			refreshMaterialsOrder();
		if (levelScene->workerOrderLeft >= 0.0f)
			refreshWorkersOrder();
	}
	updateHintStrip();
	if (tutorial)
	{
		if (!tutorial->update(static_cast<int>(elapsed)))
			endTutorial();
	}
	else
		updateHintWindow(elapsed);
	return true;
}

void GGamePlayScene::runPendingAction()
{
	const int action = pendingAction;
	pendingAction = 0;
	switch (action)
	{
	case 1:
		showObjectives();
		break;
	case 2:
		if (objectivesShown && !tutorialStarted)
			startTutorial();
		break;
	case 3:
		if (!showAchievementPopup() && levelScene &&
		    ((levelScene->areObjectivesMet() && levelScene->getHintText().empty()) || developerCompletion))
			showLevelCompletedScene();
		break;
	default:
		break;
	}
}

void GGamePlayScene::showObjectives()
{
	objectivesShown = true;
	SmartPointer<SceneNode> objectives = loadSceneOfType(ObjectivesFile, NodeTypeGLevelObjectivesScene);
	if (auto* popup = nodeCast<GLevelObjectivesScene>(objectives.get()))
		popup->setLevel(levelScene.get());
	if (objectives && pushOver(objectives.get()))
		return;
	// Without the objectives scene nothing returns to this screen to start the tutorial: start it now.
	startTutorial();
}

void GGamePlayScene::startTutorial()
{
	tutorialStarted = true;
	if (tutorial)
		tutorial->start();
}

SmartPointer<SceneNode> GGamePlayScene::loadSceneOfType(const char* fileName, int typeId) const
{
	CContentManager* content = gGameApplication ? gGameApplication->contentManager : nullptr;
	SmartPointer<BaseNode> node(content ? content->getSceneNode(fileName, false) : nullptr);
	SceneNode* scene = nodeCast<SceneNode>(node.get());
	if (!scene || !scene->isKindOf(typeId))
		return SmartPointer<SceneNode>();
	return shareRef(scene);
}

bool GGamePlayScene::pushOver(SceneNode* scene)
{
	return scene && pushScene(scene, false, nameIdNavFrom(), nameIdNavTo());
}

void GGamePlayScene::updateClock()
{
	const GLevelConfiguration* configuration = levelScene->getLevelConfiguration();
	if (!clockHand || !configuration || !configuration->isClockOn())
		return;
	const int levelTime = configuration->getLevelTime();
	const float elapsed = levelScene->elapsedTime;
	float fraction = 0.0f;
	int remaining = 0;
	if (levelTime >= 1)
	{
		fraction = std::min(1.0f, elapsed / (static_cast<float>(levelTime) * 1000.0f));
		remaining = static_cast<int>(std::floor(static_cast<float>(levelTime) * 1000.0f - elapsed + 0.5f));
	}
	clockHand->setRotation(irr::core::vector3df(0.0f, 0.0f, fraction * 360.0f));
	if (timeText)
		timeText->setText(formatMinutesSeconds(static_cast<unsigned>(std::max(0.0f, elapsed))));
	// Each phase is entered once; a level without a time limit never sounds the alarm.
	if (levelTime >= 1)
	{
		if (remaining < 0 && clockPhase != ClockPhase::TimeOver)
		{
			if (clockPhase == ClockPhase::AlmostEnd)
			{
				stopCue("AlmostEnd");
				playCue("TimeOver");
			}
			clockPhase = ClockPhase::TimeOver;
		}
		else if (remaining >= 0 && remaining < AlarmTime && clockPhase == ClockPhase::Running)
		{
			playCue("AlmostEnd");
			clockPhase = ClockPhase::AlmostEnd;
		}
	}
	if (clockRing)
		clockRing->setAngle1(static_cast<int>(fraction * 360.0f));
}

void GGamePlayScene::updateDayBar()
{
	const GLevelConfiguration* configuration = levelScene->getLevelConfiguration();
	if (!dayBar || !configuration)
		return;
	dayBar->setMaxValue(static_cast<float>(configuration->getDayLength()));
	dayBar->setValue(levelScene->dayTime);
}

// ---- focus and keys

bool GGamePlayScene::onWindowActivate(CEventSystemFlowWindowActivate* event)
{
	if (GBaseSceneNode::onWindowActivate(event))
		return true;
	if (event->active)
	{
		// Focus back with nothing over the play screen: the level's sounds go on (a menu resumes them on close).
		if (isTopScene() && entered)
			setGroupPaused(false);
		return false;
	}
	setGroupPaused(true);
	if (isTopScene() && entered && objectivesShown)
	{
		openScene(InGameMenuFile, false, nameIdNavFrom(), nameIdNavTo());
		// A level already paused (by a tutorial hint) keeps that pause; only this screen's own is undone.
		const bool wasPaused = levelScene && levelScene->isPaused();
		pauseThroughApplication();
		focusPaused = focusPaused || (!wasPaused && levelScene && levelScene->isPaused());
	}
	return false;
}

void GGamePlayScene::resumeFocusPause()
{
	if (!focusPaused)
		return;
	focusPaused = false;
	if (!levelScene || !levelScene->isPaused())
		return;
	SmartPointer<GEventPauseRequest> resume(new GEventPauseRequest(false));
	levelScene->onEvent(resume.get());
}

void GGamePlayScene::pauseThroughApplication()
{
	SmartPointer<GEventPauseRequest> pause(new GEventPauseRequest(true));
	if (gGameApplication && (gGameApplication->onEvent(pause.get()) ||
	                         gGameApplication->sendToChildren(DeliverChildrenThenSelf, pause.get())))
		return;
	// The application does not route game messages to its layers: the level it shows takes it.
	if (levelScene)
		levelScene->onEvent(pause.get());
}

bool GGamePlayScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key == KeyEscape)
	{
		openScene(InGameMenuFile, false, nameIdNavFrom(), nameIdNavTo());
		return true;
	}
	if (!gDeveloperMode || !levelScene)
		return false;
	switch (event->key)
	{
	case KeyE:
		developerCompletion = true;
		onLevelCompleted(event->shift);
		return true;
	case KeyR:
	{
		SmartPointer<GEventWeatherRequest> weather(new GEventWeatherRequest(30000, 30000));
		levelScene->onEvent(weather.get());
		return true;
	}
	case KeyMultiply:
		levelScene->materials += 1000.0f;
		break;
	case KeyAdd:
		levelScene->money += 100000.0f;
		break;
	case KeyDivide:
		levelScene->freeWorkers += 1;
		break;
	case KeyMinus:
		levelScene->money -= 100000.0f;
		break;
	default:
		return false;
	}
	refreshHud();
	return true;
}

bool GGamePlayScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (isHintWindowOpen() && hintTimer > 0)
	{
		hintTimer = 0;
		closeHintWindow();
	}
	const BaseNode* node = event->control;
	const StringId name = node ? node->getName() : StringId();
	if (name == internStringId("MenuButton"))
		return openScene(InGameMenuFile, false, nameIdNavFrom(), nameIdNavTo()) || true;
	if (name == internStringId("HelpButton"))
		return openScene(HelpFile, false, nameIdNavFrom(), nameIdNavTo()) || true;
	const int kinds[3] = {PlayTab::Hotels, PlayTab::Joys, PlayTab::Factories};
	const char* tabButtons[3] = {"HotelsButton", "JoysButton", "FactoriesButton"};
	for (int i = 0; i < 3; ++i)
	{
		if (name != internStringId(tabButtons[i]))
			continue;
		if (tabControl)
			tabControl->setActiveTab(kinds[i], false);
		refreshBuildList(kinds[i]);
		showBuildTabHint(kinds[i], tabs[kinds[i]], nullptr, nullptr);
		return true;
	}
	if (name == internStringId("BackToBuildButton"))
	{
		if (tabControl)
			tabControl->setActiveTab(PlayTab::Place, false);
		refreshPlacePanel();
		showPlaceHint(nullptr);
		return true;
	}
	if (name == internStringId("SkipTutorialButton"))
	{
		skipTutorialHint();
		return false;
	}
	if (name == internStringId("GoalsButton"))
	{
		SmartPointer<SceneNode> objectives = loadSceneOfType(ObjectivesFile, NodeTypeGLevelObjectivesScene);
		if (objectives)
		{
			static_cast<GLevelObjectivesScene*>(objectives.get())->setLevel(levelScene.get());
			pushOver(objectives.get());
		}
		return false;
	}
	return onBuildingCommand(name, levelScene ? levelScene->getSelectedBuilding() : nullptr);
}

// ---- the level's messages

const EventMap& GGamePlayScene::eventMap()
{
	using S = GGamePlayScene;
	static const EventMap table =
	    extendEventMap(GBaseSceneNode::eventMap(),
	                   {
	                       {GEventLevelCompleted::TypeId, &eventHandler<S, GEvent, &S::onLevelCompletedMessage>},
	                       {GEventNewDay::TypeId, &eventHandler<S, GEvent, &S::onNewDay>},
	                       {GEventSelectionChanged::TypeId, &eventHandler<S, GEvent, &S::onSelectionChanged>},
	                       {GEventLevelStatsChanged::TypeId, &eventHandler<S, GEvent, &S::refreshHud>},
	                       {GEventWorkCompleted::TypeId, &eventHandler<S, GEventWorkCompleted, &S::onWorkCompleted>},
	                       {GEventFeatureIncome::TypeId, &eventHandler<S, GEventFeatureIncome, &S::onFeatureIncome>},
	                       {GEventResourcesReturned::TypeId, &eventHandler<S, GEvent, &S::onResourcesReturned>},
	                   });
	return table;
}

bool GGamePlayScene::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

bool GGamePlayScene::onLevelCompletedMessage(GEvent*)
{
	return onLevelCompleted(false);
}

bool GGamePlayScene::onNewDay(GEvent*)
{
	if (levelScene)
		for (const SmartPointer<GBuildingNode>& building : levelScene->getBuildings())
		{
			const GBuildingType* record = building->getRecord();
			if (record && record->getLevel() != 0 && building->isWorking() && building->getIncome(record) >= 1.0f)
				building->setChildrenState(internStringId("MoneyBurst"), StateFallback());
		}
	checkMoneyAchievements();
	return true;
}

bool GGamePlayScene::onWorkCompleted(GEventWorkCompleted* event)
{
	refreshHud();
	const GBuildingType* record = event->building ? event->building->getRecord() : nullptr;
	if (!record || record->getLevel() != 1)
		return true;
	for (int index : {4, 5, 6})
		queueAchievement(index, 1);
	if (gGameApplication && gGameApplication->achievements)
		gGameApplication->achievements->save();
	showAchievementPopup();
	return true;
}

bool GGamePlayScene::onFeatureIncome(GEventFeatureIncome* event)
{
	refreshHud();
	TemplateCollectionNode* templates = uiTemplates();
	if (templates && templates->findTemplate(internStringId("MoneyStar")) && event->building)
	{
		event->building->setChildrenState(internStringId("MoneyBurst"), StateFallback());
		burstMoneyStar(event->building);
	}
	return true;
}

void GGamePlayScene::burstMoneyStar(const GBuildingNode* building)
{
	if (!moneyStar)
		return;
	// The level is drawn at the play screen's origin, so the building's place is a screen place.
	const irr::core::vector3df at = building->getAbsoluteTransformation().getTranslation();
	const irr::core::vector3df star = moneyStar->getBounds();
	moneyStar->setPosition(
	    irr::core::vector3df(at.X + (building->getBounds().X - star.X) * 0.5f, at.Y - star.Y * 0.5f, 50.0f));
	moneyStar->setVisible(true);
	moneyStar->setChildrenState(internStringId("MoneyBurst"), StateFallback());
}

bool GGamePlayScene::onResourcesReturned(GEvent*)
{
	return refreshHud();
}
