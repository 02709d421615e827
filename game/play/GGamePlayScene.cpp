#include "GGamePlayScene.h"

#include "level/GGameLevelScene.h"

GGamePlayScene::GGamePlayScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	period = UpdatePeriod;
}

GGamePlayScene::~GGamePlayScene() = default;

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
}

bool GGamePlayScene::startLevel(const irr::core::stringc& folder, GGameLevelScene* level)
{
	if (folder.empty() || !level)
		return false;
	return false;
}

void GGamePlayScene::endTutorial() {}
