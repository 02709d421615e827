#include "GCreditsScene.h"

#include "SceneLookup.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"

const irr::core::stringw& GCreditsScene::typeNameText()
{
	static const irr::core::stringw name(L"GCreditsScene");
	return name;
}

bool GCreditsScene::onKeyUp(CEventInputKeyUp* event)
{
	return GBaseSceneNode::onKeyUp(event) || frontend::closeOnBackKey(this, event->key);
}

bool GCreditsScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	return event->newScene == this;
}

bool GCreditsScene::onNodePressed(CEventNodeClicked* event)
{
	return GBaseSceneNode::onNodePressed(event) || frontend::closeOnBackButton(this, event->control);
}
