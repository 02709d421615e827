#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"
#include "effects/ILevelPathsSource.h"

class ControlNode;
class GLevelPaths;
class TextNode;

// The title screen, open for the whole game: greets the player, plays the menu music, leads to the
// other front-end screens and into the first level or the map, and plays the final credits roll.
class GMainMenuScene : public GBaseSceneNode, public ILevelPathsSource
{
	ENGINE_NODE_TYPE(GMainMenuScene, NodeTypeGMainMenuScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GMainMenuScene)

public:
	static constexpr const char* MapSceneName = "scenes/MapScene.qscn";
	static constexpr const char* FirstLevelName = "level1";

	explicit GMainMenuScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);
	~GMainMenuScene() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	// Puts the menu panel back and hides the roll; immediate lands it without animating.
	void endCreditsRoll(bool immediate);

	// The traffic paths the menu's movers drive along; never null. The movers find the menu a fixed
	// number of generations above them and ask it through this name.
	GLevelPaths* getLevelPaths() const override { return backgroundPaths.get(); }
	TextNode* getWelcomeText() const { return welcomeText; }

private:
	void refreshWelcome();
	void startCreditsRoll();
	void hideCreditsRoll();
	void startNewGame();
	static void stopMenuAmbience();

	SmartPointer<GLevelPaths> backgroundPaths;
	// Nodes of this scene's tree, owned by it.
	TextNode* welcomeText = nullptr;
	BaseNode* scene = nullptr;
	ControlNode* backButton = nullptr;
	BaseNode* clipNode = nullptr;
};
