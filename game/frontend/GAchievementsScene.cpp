#include "GAchievementsScene.h"

#include "SceneLookup.h"
#include "app/GGameApplication.h"
#include "app/SceneText.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/ContentType.h"
#include "core/InputEvents.h"
#include "core/TextUtils.h"
#include "data/GAchievements.h"
#include "device/IDevice.h"
#include "nodes/ListNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

namespace
{
irr::core::stringw money(const irr::core::stringw& amount)
{
	return scenetext::format("MoneyDollar", amount);
}

bool isEarned(const GAchievements& achievements, int index)
{
	return achievements.getCounter(index) >= achievements.getThreshold(index);
}
} // namespace

GAchievementsScene::GAchievementsScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GAchievementsScene::~GAchievementsScene() = default;

const irr::core::stringw& GAchievementsScene::typeNameText()
{
	static const irr::core::stringw name(L"GAchievementsScene");
	return name;
}

irr::core::stringw GAchievementsScene::progressText(int index, int counter, int threshold)
{
	const irr::core::stringw have = formatThousands(counter, L',');
	const irr::core::stringw need = formatThousands(threshold, L',');
	if (GAchievements::isSetCounter(index))
		return money(have) + L"/" + money(need);
	return have + L"/" + need;
}

void GAchievementsScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GAchievementsScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	allList = earnedList = openList = nullptr;
	earnedText = nullptr;
	BaseNode* scene = frontend::directChild(this, "Scene");
	if (!scene)
		return;
	BaseNode* tabs = frontend::directChild(scene, "TabScene");
	allList = shareRef(frontend::directChildOf<ListNode>(frontend::directChild(tabs, "Tab1"), "AchievementsList"));
	earnedList = shareRef(frontend::directChildOf<ListNode>(frontend::directChild(tabs, "Tab2"), "AchievementsList"));
	openList = shareRef(frontend::directChildOf<ListNode>(frontend::directChild(tabs, "Tab3"), "AchievementsList"));
	earnedText = shareRef(frontend::directChildOf<TextNode>(scene, "EarnedText"));
}

void GAchievementsScene::fillLists(const GAchievements& achievements)
{
	CContentManager* content = getContentRef().getContentManager();
	if (!content && gGameApplication)
		content = gGameApplication->contentManager;
	SmartPointer<AtlasTexture> icons[GAchievements::Count];
	for (int i = 0; i < GAchievements::Count; ++i)
	{
		SmartPointer<ContentObject> icon(
		    content ? content->getContent(ContentTypeAtlasTexture, achievements.getIconPath(i), false) : nullptr);
		icons[i] = shareRef(dynamic_cast<AtlasTexture*>(icon.get()));
	}
	const auto progress = [&](int i)
	{ return progressText(i, achievements.getCounter(i), achievements.getThreshold(i)); };

	if (allList)
	{
		allList->setItemCount(GAchievements::Count);
		for (unsigned i = 0; i < GAchievements::Count; ++i)
		{
			const int index = static_cast<int>(i);
			const bool earned = isEarned(achievements, index);
			allList->setItemText(i, 0, achievements.getNameKey(index));
			allList->setItemText(i, 1,
			                     earned ? achievements.getDescAfterKey(index) : achievements.getDescBeforeKey(index));
			allList->setItemText(i, 2, earned ? irr::core::stringw(L"%Achievements_AlreadyEarned%") : progress(index));
			allList->setItemImage(i, 0, icons[i].get());
		}
		allList->refreshElements();
	}
	if (earnedList)
	{
		unsigned earnedCount = 0;
		for (int i = 0; i < GAchievements::Count; ++i)
			earnedCount += isEarned(achievements, i) ? 1u : 0u;
		earnedList->setItemCount(earnedCount);
		unsigned row = 0;
		for (int i = 0; i < GAchievements::Count; ++i)
		{
			if (!isEarned(achievements, i))
				continue;
			earnedList->setItemText(row, 0, achievements.getNameKey(i));
			earnedList->setItemText(row, 1, irr::core::stringw(L"\n") + achievements.getDescAfterKey(i));
			earnedList->setItemText(row, 2, irr::core::stringw());
			earnedList->setItemImage(row, 0, icons[i].get());
			++row;
		}
		earnedList->refreshElements();
		// An empty list says how to fill it.
		if (BaseNode* empty = frontend::directChild(earnedList->getParent(), "EmptyText"))
			empty->setVisible(earnedCount == 0);
		if (earnedText)
			earnedText->setText(irr::core::stringw(earnedCount) + L"/" + irr::core::stringw(GAchievements::Count));
	}
	if (openList)
	{
		unsigned openCount = 0;
		for (int i = 0; i < GAchievements::Count; ++i)
			openCount += isEarned(achievements, i) ? 0u : 1u;
		openList->setItemCount(openCount);
		unsigned row = 0;
		for (int i = 0; i < GAchievements::Count; ++i)
		{
			if (isEarned(achievements, i))
				continue;
			openList->setItemText(row, 0, achievements.getNameKey(i));
			openList->setItemText(row, 1, achievements.getDescBeforeKey(i));
			openList->setItemText(row, 2, progress(i));
			openList->setItemImage(row, 0, icons[i].get());
			++row;
		}
		openList->refreshElements();
	}
}

bool GAchievementsScene::onKeyUp(CEventInputKeyUp* event)
{
	return GBaseSceneNode::onKeyUp(event) || frontend::closeOnBackKey(this, event->key);
}

bool GAchievementsScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	if (gGameApplication && gGameApplication->achievements)
		fillLists(*gGameApplication->achievements);
	else
		fillLists(GAchievements());
	return true;
}

bool GAchievementsScene::onNodePressed(CEventNodeClicked* event)
{
	return GBaseSceneNode::onNodePressed(event) || frontend::closeOnBackButton(this, event->control);
}
