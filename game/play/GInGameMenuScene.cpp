#include "GInGameMenuScene.h"

#include "LevelLayer.h"
#include "frontend/SceneLookup.h"
#include "scene/NodeEvents.h"

GInGameMenuScene::GInGameMenuScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	closeOnKey = true;
}

const irr::core::stringw& GInGameMenuScene::typeNameText()
{
	static const irr::core::stringw name(L"GInGameMenuScene");
	return name;
}

void GInGameMenuScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

bool GInGameMenuScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	const bool handled = GBaseSceneNode::onSceneChangeStarted(event);
	return handled || event->newScene == this;
}

bool GInGameMenuScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	const bool handled = GBaseSceneNode::onSceneChangeFinished(event);
	return handled || event->newScene == this;
}

bool GInGameMenuScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	const BaseNode* button = event->control;
	if (frontend::isNamed(button, "ResumeButton"))
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (frontend::isNamed(button, "RestartButton"))
	{
		// The loading scene below the play screen loads the same level again when it is uncovered.
		play::emptyLevelLayer();
		closeTo(1, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (frontend::isNamed(button, "OptionsButton"))
	{
		openScene(OptionsSceneName, true, nameIdNavFrom(), nameIdNavTo());
		return true;
	}
	if (frontend::isNamed(button, "HelpButton"))
	{
		openScene(HelpSceneName, true, nameIdNavFrom(), nameIdNavTo());
		return true;
	}
	if (frontend::isNamed(button, "MainMenuButton"))
	{
		play::emptyLevelLayer();
		closeToSceneOfType(NodeTypeGMainMenuScene, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (frontend::isNamed(button, "ExitGameButton"))
	{
		openScene(QuitSceneName, true, frontend::noTransTo(), nameIdNavTo());
		return true;
	}
	return false;
}
