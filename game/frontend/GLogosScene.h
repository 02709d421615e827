#pragma once

#include "app/GBaseSceneNode.h"

class SpriteNode;

// The first screen: loads the texts, sets the window caption and shows the start-up logos one after
// the other with a cross-fade, then opens the intro.
class GLogosScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GLogosScene, NodeTypeGLogosScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GLogosScene)

public:
	static constexpr const char* IntroSceneName = "scenes/IntroScene.qscn";
	// How long the last picture fades on the back node before the intro opens (ms).
	static constexpr int FinalFadeTime = 1000;

	explicit GLogosScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                     INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	bool updateTime(unsigned elapsed) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	// A click ends the logo on screen when it may be skipped; no child ever sees the click.
	bool sendToChildren(int mode, CEvent* event) override;

	// Ends a skippable logo at the next update; true in every case.
	virtual bool skipLogo();

	bool isSkippable() const { return skippable; }
	int getRemaining() const { return remaining; }
	bool isFinished() const { return finished; }

private:
	void showNextLogo();
	void loadTexts();

	bool skippable = false;
	int remaining = 0;               // ms
	SpriteNode* backLogo = nullptr;  // child of this scene's tree, owned by it
	SpriteNode* frontLogo = nullptr; // child of this scene's tree, owned by it
	bool finished = false;
};
