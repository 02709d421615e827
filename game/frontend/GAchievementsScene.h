#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class GAchievements;
class ListNode;
class TextNode;

// The current player's twelve achievements on three tabs (all, earned, still open) with the earned count.
class GAchievementsScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GAchievementsScene, NodeTypeGAchievementsScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GAchievementsScene)

public:
	explicit GAchievementsScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);
	// Defined where the parts' classes are complete.
	~GAchievementsScene() override;

	static const irr::core::stringw& typeNameText();

	// "c/t" with thousands separators; the money achievements (7 to 9) in the dictionary's "MoneyDollar" form.
	static irr::core::stringw progressText(int index, int counter, int threshold);

	void onLoaded() override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	// Fills the three lists and the earned count from the tracker.
	void fillLists(const GAchievements& achievements);

	ListNode* getAllList() const { return allList.get(); }
	ListNode* getEarnedList() const { return earnedList.get(); }
	ListNode* getOpenList() const { return openList.get(); }
	TextNode* getEarnedText() const { return earnedText.get(); }

private:
	// Parts of this scene's own tree; null when the scene file lacks them.
	SmartPointer<ListNode> allList;
	SmartPointer<ListNode> earnedList;
	SmartPointer<ListNode> openList;
	SmartPointer<TextNode> earnedText;
};
