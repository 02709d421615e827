#include "GMainMenuScene.h"

#include "LevelLoading.h"
#include "app/GGameApplication.h"
#include "audio/CSoundManager.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "data/GLevelPaths.h"
#include "data/ProfileKeys.h"
#include "device/CursorControl.h"
#include "device/IDevice.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

namespace
{
StringId nameId(const char* name)
{
	return internStringId(name);
}

CProfile* currentProfile()
{
	return CProfileManager::instance()->getActiveProfile();
}

// Opens a front-end screen over the menu, which stays visible under it.
void openOver(SceneNode* menu, const char* fileName, const char* fromState, StringId toState)
{
	menu->openScene(fileName, true, nameId(fromState), toState);
}
} // namespace

GMainMenuScene::GMainMenuScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager), backgroundPaths(new GLevelPaths())
{
	IFileSystem* files = getDevice()->getFileSystem();
	SmartPointer<CXMLReader> reader(files ? files->createXMLReader(GLevelPaths::BackgroundTrafficFileName) : nullptr);
	if (reader)
		backgroundPaths->load(reader.get());
}

GMainMenuScene::~GMainMenuScene() = default;

const irr::core::stringw& GMainMenuScene::typeNameText()
{
	static const irr::core::stringw name(L"GMainMenuScene");
	return name;
}

void GMainMenuScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GMainMenuScene::onLoaded()
{
	welcomeText = nullptr;
	backButton = nullptr;
	clipNode = nullptr;
	scene = findChild(nameId("Scene"), 0);
	if (scene)
		welcomeText = nodeCast<TextNode>(scene->findChild(nameId("WelcomeText"), 0));
	BaseNode* background = findChild(nameId("BgScene"), 0);
	BaseNode* active = background ? background->findChild(nameId("ActiveBg"), 0) : nullptr;
	if (!active)
		return;
	backButton = nodeCast<ControlNode>(active->findChild(nameId("BackButton"), 0));
	clipNode = active->findChild(nameId("ClipNode"), 0);
}

// With no player yet the greeting stays empty rather than greeting nobody.
void GMainMenuScene::refreshWelcome()
{
	if (!welcomeText)
		return;
	CProfile* profile = currentProfile();
	const irr::core::stringw name = profile ? profile->getName() : irr::core::stringw();
	CDictionary* dictionary = getDevice()->getDictionary();
	welcomeText->setText(name.empty() || !dictionary ? irr::core::stringw()
	                                                 : dictionary->format("MainMenu_WelcomeTxt", name));
}

// ---- entering and leaving

bool GMainMenuScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene == this)
	{
		if (gGameApplication && gGameApplication->contentManager)
			gGameApplication->contentManager->releaseUnusedContent();
		if (CursorControl* cursor = getDevice()->getCursorControl())
			cursor->setVisible(true);
		if (CSoundManager* sounds = getDevice()->getSoundManager())
		{
			sounds->playCue(nameId("MenuMusic"), true, 0);
			sounds->playCue(nameId("MainMenuAmbient"), true, 0);
		}
		refreshWelcome();
		if (event->oldScene && event->oldScene->isKindOf(NodeTypeGLevelCompletedScene))
			startCreditsRoll();
		else
			hideCreditsRoll();
		return true;
	}
	if (event->oldScene == this)
	{
		endCreditsRoll(true);
		if (event->newScene && event->newScene->isKindOf(NodeTypeGMapScene))
			stopMenuAmbience();
		return true;
	}
	return false;
}

bool GMainMenuScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	if (GBaseSceneNode::onSceneChangeFinished(event))
		return true;
	if (event->newScene == this)
	{
		if (currentProfile())
			return true;
		// The name entry opens over the player list: the player types a name, then picks from the list.
		openOver(this, "scenes/SelectPlayerScene.qscn", "NavFrom", nameIdNavTo());
		openOver(this, "scenes/SelectPlayerInputNameScene.qscn", "NavFrom", nameIdNavTo());
		return true;
	}
	if (event->oldScene == this && event->newScene && event->newScene->isKindOf(NodeTypeGMapScene))
	{
		stopMenuAmbience();
		return true;
	}
	return false;
}

void GMainMenuScene::stopMenuAmbience()
{
	CSoundManager* sounds = getDevice()->getSoundManager();
	if (!sounds)
		return;
	for (const char* cue : {"MainMenuAmbient", "MainMenuCarOut", "MainMenuCarTo"})
		sounds->stopCue(nameId(cue), 0);
}

// ---- final credits roll

void GMainMenuScene::startCreditsRoll()
{
	if (scene)
	{
		scene->setVisible(false);
		scene->setPosition({1024.0f, 0.0f, 0.0f});
	}
	if (clipNode)
	{
		clipNode->removePreListener(this);
		clipNode->preListeners.push_back(this);
		clipNode->setVisible(true);
		clipNode->setChildrenState(nameId("Scrolling"), nullptr);
	}
	if (backButton)
	{
		backButton->setEnabled(true);
		backButton->setVisible(true);
		backButton->setState(nameId("Appear"), nullptr, StringId());
	}
}

void GMainMenuScene::hideCreditsRoll()
{
	if (clipNode)
		clipNode->setVisible(false);
	if (backButton)
	{
		backButton->setEnabled(false);
		backButton->setVisible(false);
	}
}

void GMainMenuScene::endCreditsRoll(bool immediate)
{
	if (scene)
	{
		scene->setVisible(true);
		scene->setState(nameId("NavBackToSlide"), nullptr, StringId());
		if (immediate)
			scene->stopAllStates(true);
	}
	if (clipNode)
	{
		clipNode->removePreListener(this);
		clipNode->setVisible(false);
		const irr::core::array<BaseNode*>& children = clipNode->getChildren();
		for (irr::u32 i = 0; i < children.size(); ++i)
			children[i]->stopAllStates(false);
	}
	if (backButton)
	{
		backButton->setEnabled(false);
		backButton->setState(nameId("Disappear"), nullptr, StringId());
		if (immediate)
			backButton->stopAllStates(true);
	}
}

bool GMainMenuScene::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	if (clipNode && event->node == clipNode && event->stateName == nameId("Scrolling"))
	{
		endCreditsRoll(false);
		return true;
	}
	return GBaseSceneNode::onChildrenStateFinished(event);
}

// ---- buttons

void GMainMenuScene::startNewGame()
{
	CProfile* profile = currentProfile();
	if (!profile)
		return;
	if (profile->getInt(ProfileKey::MaxUnlockedLevelIndex) == -1)
	{
		profile->setInt(ProfileKey::LevelIndex, 0);
		openLevelLoading(this, FirstLevelName);
		return;
	}
	openScene(MapSceneName, false, nameIdNavFrom(), nameIdNavTo());
}

bool GMainMenuScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (!event->control)
		return false;
	const StringId name = event->control->getName();
	if (name == nameId("QuitButton"))
		openOver(this, "scenes/QuitConfirmationScene.qscn", "NoTransTo", nameIdNavTo());
	else if (name == nameId("ChangePlayerButton"))
		openOver(this, "scenes/SelectPlayerScene.qscn", "NavFromSlide", nameIdNavTo());
	else if (name == nameId("NewGameButton"))
		startNewGame();
	else if (name == nameId("CreditsButton"))
		openOver(this, "scenes/CreditsScene.qscn", "NavFromSlide", nameIdNavTo());
	else if (name == nameId("OptionsButton"))
		openOver(this, "scenes/OptionsScene.qscn", "NavFromSlide", nameId("NavToSlide"));
	else if (name == nameId("AchievementsButton"))
		openOver(this, "scenes/AchievementsScene.qscn", "NavFromSlide", nameIdNavTo());
	else if (name == nameId("BackButton"))
		endCreditsRoll(false);
	else if (name != nameId("Baloon") && name != nameId("Baloon2"))
		return false;
	return true;
}
