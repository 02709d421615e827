#include "GHelpScene.h"

#include "frontend/SceneLookup.h"
#include "nodes/ButtonNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"

GHelpScene::GHelpScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	closeOnKey = true;
}

const irr::core::stringw& GHelpScene::typeNameText()
{
	static const irr::core::stringw name(L"GHelpScene");
	return name;
}

void GHelpScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GHelpScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	pages = frontend::directChildOf<TabSceneNode>(scene, "TabScene");
	backButton = frontend::directChildOf<ButtonNode>(scene, "BackButton");
	nextButton = frontend::directChildOf<ButtonNode>(scene, "NextButton");
}

bool GHelpScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	const bool handled = GBaseSceneNode::onSceneChangeStarted(event);
	if (event->newScene != this)
		return handled;
	if (backButton)
		backButton->setEnabled(false);
	return true;
}

bool GHelpScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "CloseButton"))
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (pages)
	{
		const int index = pages->getActiveTabIndex();
		if (backButton && event->control == backButton && index > 0)
			pages->setActiveTab(index - 1, false);
		else if (nextButton && event->control == nextButton && index + 1 < pages->getTabsCount())
			pages->setActiveTab(index + 1, false);
	}
	updateButtons();
	return false;
}

void GHelpScene::updateButtons()
{
	const int index = pages ? pages->getActiveTabIndex() : 0;
	const int count = pages ? pages->getTabsCount() : 0;
	if (backButton)
		backButton->setEnabled(index > 0);
	if (nextButton)
		nextButton->setEnabled(index + 1 < count);
}
