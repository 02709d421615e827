#include "GCreditsScene.h"

#include "SceneLookup.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;
} // namespace

const irr::core::stringw& GCreditsScene::typeNameText()
{
	static const irr::core::stringw name(L"GCreditsScene");
	return name;
}

void GCreditsScene::closeBack()
{
	closeTo(0, StringId(), frontend::navBackToSlide());
}

bool GCreditsScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key != KeyEscape && event->key != KeyEnter)
		return false;
	closeBack();
	return true;
}

bool GCreditsScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	return event->newScene == this;
}

bool GCreditsScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (!frontend::isNamed(event->control, "BackButton"))
		return false;
	closeBack();
	return true;
}
