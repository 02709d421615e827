#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class ListNode;

// Lists the player profiles: picks the active one, opens the name entry for a new one, deletes one after asking.
class GSelectPlayerScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GSelectPlayerScene, NodeTypeGSelectPlayerScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GSelectPlayerScene)

public:
	static constexpr const char* FileName = "scenes/SelectPlayerScene.qscn";
	static constexpr int MaxProfiles = 10;

	explicit GSelectPlayerScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);
	// Defined where the parts' classes are complete.
	~GSelectPlayerScene() override;

	static const irr::core::stringw& typeNameText();

	void onLoaded() override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onMessageBoxResult(CEventNodeMessageBoxResult* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	// One list item per player profile, in the manager's order; selects the active one when asked.
	void fillPlayersList(bool selectActive);
	// Makes the selected player the active one and, when there is one, saves, applies its options and
	// closes back to the scene below.
	void confirmSelection();

	ListNode* getPlayersList() const { return playersList.get(); }
	ControlNode* getOkButton() const { return okButton.get(); }
	ControlNode* getNewPlayerButton() const { return newPlayerButton.get(); }
	ControlNode* getDeletePlayerButton() const { return deletePlayerButton.get(); }

private:
	void enableButtons(int profileCount);
	void askToDelete();

	// Player profiles when the list was last filled or the scene was left: a profile made meanwhile
	// is the one to select on return.
	unsigned knownProfileCount = 0;
	// Parts of this scene's own tree; null when the scene file lacks them.
	SmartPointer<ListNode> playersList;
	SmartPointer<ControlNode> okButton;
	SmartPointer<ControlNode> newPlayerButton;
	SmartPointer<ControlNode> deletePlayerButton;
};
