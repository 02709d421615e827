#pragma once

#include "app/GBaseSceneNode.h"

class ButtonNode;
class TabSceneNode;

// Paged help popup: the pages are the tabs of a tab scene, turned by a back and a next button.
class GHelpScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GHelpScene, NodeTypeGHelpScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GHelpScene)

public:
	static constexpr const char* FileName = "scenes/HelpScene.qscn";

	explicit GHelpScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                    INodeEventQueue* sceneManager = nullptr);

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	TabSceneNode* getPages() const { return pages; }
	ButtonNode* getBackButton() const { return backButton; }
	ButtonNode* getNextButton() const { return nextButton; }

private:
	// Back only off the first page, next only before the last.
	void updateButtons();

	// Parts of this scene's tree, found when it is loaded; null when missing or of another kind.
	TabSceneNode* pages = nullptr;
	ButtonNode* backButton = nullptr;
	ButtonNode* nextButton = nullptr;
};
