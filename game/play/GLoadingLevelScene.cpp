#include "GLoadingLevelScene.h"

#include "GGamePlayScene.h"
#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "core/ILogger.h"
#include "device/IDevice.h"
#include "nodes/TextNode.h"
#include "frontend/SceneLookup.h"
#include "level/GGameLevelScene.h"
#include "scene/NodeEvents.h"

#include <algorithm>

// The mini-game classes come with their own part of the game; a build without them loads no mini-game.
#if __has_include("minigames/GMiniGameScene.h")
#include "minigames/GMiniGameScene.h"
#define GAME_HAS_MINI_GAMES 1
#else
#define GAME_HAS_MINI_GAMES 0
#endif

namespace
{
// The level's own sounds, stopped when a level is about to load.
constexpr int LevelSoundGroup = 2;

CContentManager* contentManager()
{
	return gGameApplication ? gGameApplication->contentManager : nullptr;
}

// A scene file's root, a reference of its own; null when the file does not load. The scene's own content
// manager serves first, so the loading scene works wherever it was loaded from.
SmartPointer<BaseNode> loadScene(CContentManager* own, const irr::core::stringc& fileName)
{
	CContentManager* content = own ? own : contentManager();
	return SmartPointer<BaseNode>(content ? content->getSceneNode(fileName, false) : nullptr);
}
} // namespace

GLoadingLevelScene::GLoadingLevelScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GLoadingLevelScene::~GLoadingLevelScene() = default;

const irr::core::stringw& GLoadingLevelScene::typeNameText()
{
	static const irr::core::stringw name(L"GLoadingLevelScene");
	return name;
}

void GLoadingLevelScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
	if (const auto* other = nodeCast<const GLoadingLevelScene>(source))
		levelName = other->levelName;
}

void GLoadingLevelScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	progressBackground = frontend::directChild(scene, "ProgressBg");
	progressBar = frontend::directChild(scene, "Progress");
}

irr::core::stringc GLoadingLevelScene::getLevelFolder() const
{
	return irr::core::stringc("levels/") + levelName + "/";
}

bool GLoadingLevelScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GBaseSceneNode::onSceneChangeStarted(event);
	if (event->newScene == this)
	{
		// Entered at first and again on a restart, when the level's scenes above have closed.
		stopSoundGroup(LevelSoundGroup);
		target = 0.0f;
		state = Waiting;
		advanceProgress();
		return true;
	}
	return event->oldScene == this;
}

bool GLoadingLevelScene::update(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	bool succeeded = true;
	switch (state)
	{
	case Waiting:
		if (activeTime > StartDelay)
		{
			state = LoadingLevelScene;
			target = 10.0f;
		}
		break;
	case LoadingLevelScene:
		succeeded = loadLevelScene();
		break;
	case IdentifyingLevelScene:
		succeeded = identifyLevelScene();
		break;
	case LoadingPlayScreen:
		succeeded = loadGamePlayScene();
		break;
	case StartingLevel:
		succeeded = startLevel();
		break;
	case ShowingFailure:
		failureTime += static_cast<int>(elapsed);
		if (failureTime < FailureNoticeTime)
			return true;
		// A level that cannot be loaded would leave the player on a bar that never fills: every
		// failing step, the first one too, goes back to where the level was chosen.
		state = Idle;
		closeBack();
		return false;
	default:
		break;
	}
	if (!succeeded)
	{
		levelScene = nullptr;
		playScreen = nullptr;
		showFailure();
		return true;
	}
	advanceProgress();
	return true;
}

void GLoadingLevelScene::showFailure()
{
	state = ShowingFailure;
	failureTime = 0;
	BaseNode* scene = frontend::directChild(this, "Scene");
	for (const char* name : {"ProgressBg", "Progress"})
		if (BaseNode* node = frontend::directChild(scene, name))
			node->setVisible(false);
	const CDictionary* dictionary = getDevice() ? getDevice()->getDictionary() : nullptr;
	if (!dictionary)
		return;
	if (auto* title = nodeCast<TextNode>(frontend::directChild(scene, "LoadingText")))
		title->setText(dictionary->getText("LoadingLevel_Damaged"));
	if (auto* tip = nodeCast<TextNode>(frontend::directChild(scene, "TipText")))
		tip->setText(dictionary->getText("LoadingLevel_DamagedBack"));
}

void GLoadingLevelScene::closeBack()
{
	closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
}

bool GLoadingLevelScene::loadLevelScene()
{
	if (levelName.empty())
		return false;
	const irr::core::stringc folder = getLevelFolder();
	SmartPointer<BaseNode> loaded = loadScene(getContentRef().getContentManager(), folder + "Level.qscn");
	if (!loaded)
	{
		getLogger()->log("Unable to load level scene", folder.c_str(), 2);
		return false;
	}
	levelScene = loaded;
	target = 50.0f;
	state = IdentifyingLevelScene;
	return true;
}

bool GLoadingLevelScene::identifyLevelScene()
{
	if (!levelScene)
		return false;
	if (levelScene->isKindOf(NodeTypeGGameLevelScene))
	{
		state = LoadingPlayScreen;
		target = 60.0f;
		return true;
	}
	if (levelScene->isKindOf(NodeTypeGMiniGameScene))
	{
		auto* miniGame = nodeCast<SceneNode>(levelScene.get());
		bool pushed = false;
		if (miniGame && configureMiniGame(miniGame))
			pushed = pushScene(miniGame, true, nameIdNavFrom(), nameIdNavTo());
		target = 100.0f;
		state = Idle;
		levelScene = nullptr;
		return pushed;
	}
	getLogger()->log("Unable to identify level scene", getLevelFolder().c_str(), 2);
	return false;
}

bool GLoadingLevelScene::loadGamePlayScene()
{
	SmartPointer<BaseNode> loaded = loadScene(getContentRef().getContentManager(), GamePlaySceneName);
	if (!loaded)
	{
		getLogger()->log("Unable to load GamePlayScene.qscn", 2);
		return false;
	}
	auto* screen = nodeCast<GGamePlayScene>(loaded.get());
	if (!screen)
	{
		getLogger()->log("Unable to identify GamePlayScene.qscn", 2);
		return false;
	}
	playScreen = shareRef(screen);
	target = 80.0f;
	state = StartingLevel;
	return true;
}

bool GLoadingLevelScene::startLevel()
{
	auto* level = nodeCast<GGameLevelScene>(levelScene.get());
	bool started = false;
	if (playScreen && level)
	{
		started = playScreen->startLevel(getLevelFolder(), level);
		if (started)
			pushScene(playScreen.get(), false, nameIdNavFrom(), nameIdNavTo());
	}
	playScreen = nullptr;
	levelScene = nullptr;
	target = 100.0f;
	state = Idle;
	return started;
}

bool GLoadingLevelScene::configureMiniGame(SceneNode* miniGame)
{
#if GAME_HAS_MINI_GAMES
	// Checked by class, not only by kind: only the mini-game base can read a configuration. A damaged scene
	// is refused as a missing configuration is: played, it could be won without play.
	auto* configurable = dynamic_cast<GMiniGameScene*>(miniGame);
	if (configurable && configurable->loadConfiguration(getLevelFolder()) && configurable->checkPlayable())
		return true;
#else
	(void)miniGame;
#endif
	getLogger()->log("Unable to configure the mini-game", getLevelFolder().c_str(), 2);
	return false;
}

void GLoadingLevelScene::advanceProgress()
{
	if (scale == 0.0f || displayed == target)
		return;
	displayed = std::min(displayed + scale, target);
	if (!progressBackground || !progressBar)
		return;
	irr::core::vector3df bounds = progressBackground->getBounds();
	bounds.X *= displayed / scale;
	progressBar->setBounds(bounds);
	progressBar->updateAbsoluteTransform();
}
