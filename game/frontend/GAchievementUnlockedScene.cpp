#include "GAchievementUnlockedScene.h"

#include "SceneLookup.h"
#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/ContentType.h"
#include "data/GAchievements.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

GAchievementUnlockedScene::GAchievementUnlockedScene(const ContentRef& reference, BaseNode* parentNode,
                                                     INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	closeOnKey = true;
}

GAchievementUnlockedScene::~GAchievementUnlockedScene() = default;

const irr::core::stringw& GAchievementUnlockedScene::typeNameText()
{
	static const irr::core::stringw name(L"GAchievementUnlockedScene");
	return name;
}

void GAchievementUnlockedScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GAchievementUnlockedScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	image = shareRef(frontend::directChildOf<SpriteNode>(scene, "AchImage"));
	nameText = shareRef(frontend::directChildOf<TextNode>(scene, "AchName"));
	descriptionText = shareRef(frontend::directChildOf<TextNode>(scene, "AchDesc"));
}

void GAchievementUnlockedScene::showAchievement(int index)
{
	// The texts and the icon path follow from the index alone.
	const GAchievements names;
	if (image)
	{
		CContentManager* content = getContentRef().getContentManager();
		if (!content && gGameApplication)
			content = gGameApplication->contentManager;
		SmartPointer<ContentObject> icon(
		    content ? content->getContent(ContentTypeAtlasTexture, names.getIconPath(index), false) : nullptr);
		image->setAtlasTexture(dynamic_cast<AtlasTexture*>(icon.get()));
	}
	if (nameText)
		nameText->setText(names.getNameKey(index));
	if (descriptionText)
		descriptionText->setText(names.getDescAfterKey(index));
}

bool GAchievementUnlockedScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	return event->newScene == this;
}

bool GAchievementUnlockedScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (!frontend::isNamed(event->control, "OkButton"))
		return false;
	closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
	return true;
}
