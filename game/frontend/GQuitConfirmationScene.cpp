#include "GQuitConfirmationScene.h"

#include "SceneLookup.h"
#include "app/GGameApplication.h"
#include "content/CDictionary.h"
#include "nodes/TextNode.h"
#include "core/InputEvents.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"

namespace
{
constexpr int KeyEscape = 27;
}

const irr::core::stringw& GQuitConfirmationScene::typeNameText()
{
	static const irr::core::stringw name(L"GQuitConfirmationScene");
	return name;
}

void GQuitConfirmationScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	if (!gGameApplication || gGameApplication->getSavingProblem().empty())
		return;
	const IDevice* device = Singleton<IDevice>::peek();
	const CDictionary* dictionary = device ? device->getDictionary() : nullptr;
	if (auto* question = nodeCast<TextNode>(findChild(internStringId("Question"))))
		question->setText(dictionary ? dictionary->getText("Quit_QuestionUnsaved") : irr::core::stringw());
}

void GQuitConfirmationScene::closeBack()
{
	closeTo(0, StringId(), frontend::noTransTo());
}

bool GQuitConfirmationScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key != KeyEscape)
		return false;
	closeBack();
	return true;
}

bool GQuitConfirmationScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	return event->newScene == this;
}

bool GQuitConfirmationScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "NoButton"))
	{
		closeBack();
		return true;
	}
	if (frontend::isNamed(event->control, "YesButton"))
	{
		// Ends the main loop; the game saves nothing here, scenes save as the player goes.
		if (IDevice* device = Singleton<IDevice>::peek())
			device->closeDevice();
		return true;
	}
	return false;
}
