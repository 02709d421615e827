#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class CProfileManager;
class EditNode;

// Asks for the name of a new player, creates the profile and returns to the scene below.
class GSelectPlayerInputNameScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GSelectPlayerInputNameScene, NodeTypeGSelectPlayerInputNameScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GSelectPlayerInputNameScene)

public:
	static constexpr const char* FileName = "scenes/SelectPlayerInputNameScene.qscn";

	explicit GSelectPlayerInputNameScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                                     INodeEventQueue* sceneManager = nullptr);
	// Defined where the parts' classes are complete.
	~GSelectPlayerInputNameScene() override;

	static const irr::core::stringw& typeNameText();

	// Not empty and no player has exactly this name (case counts).
	static bool isAcceptableName(const CProfileManager& profiles, const irr::core::stringw& name);

	void onLoaded() override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onValueChanged(CEventNodeValueChanged* event) override;

	// Adds the player named by the edit, saves and closes back; nothing for a name that is not acceptable.
	void createProfile();

	EditNode* getNameEdit() const { return nameEdit.get(); }
	ControlNode* getOkButton() const { return okButton.get(); }

private:
	void closeBack();

	// Parts of this scene's own tree; null when the scene file lacks them.
	SmartPointer<EditNode> nameEdit;
	SmartPointer<ControlNode> okButton;
};
