#pragma once

#include "app/GBaseSceneNode.h"

// The pause menu of a running level: resume, restart, options, help, leave for the main menu or quit.
class GInGameMenuScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GInGameMenuScene, NodeTypeGInGameMenuScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GInGameMenuScene)

public:
	static constexpr const char* FileName = "scenes/InGameMenuScene.qscn";
	static constexpr const char* OptionsSceneName = "scenes/OptionsScene.qscn";
	static constexpr const char* HelpSceneName = "scenes/HelpScene.qscn";
	static constexpr const char* QuitSceneName = "scenes/QuitConfirmationScene.qscn";

	explicit GInGameMenuScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                          INodeEventQueue* sceneManager = nullptr);

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
};
