#pragma once

#include "GMiniGameScene.h"

class GHOHintParticlesNode;
class GLevelPaths;
class GPathMovableNode;
class TextNode;

// The hidden-object mini-game: the player clicks the hidden objects of a picture in any order until
// none is left; a hint sends a trail along a prepared route to one of them.
class GMiniGameHiddenScene : public GMiniGameScene
{
	ENGINE_NODE_TYPE(GMiniGameHiddenScene, NodeTypeGMiniGameHiddenScene, GMiniGameScene)
	ENGINE_NODE_CLONE(GMiniGameHiddenScene)

public:
	static constexpr int HintCooldown = 4000; // ms
	static constexpr float HintTrailSpeed = 275.0f;

	explicit GMiniGameHiddenScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                              INodeEventQueue* sceneManager = nullptr);
	~GMiniGameHiddenScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	void loadMiniGameElement(IXMLReader* reader) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool updateTime(unsigned elapsed) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool sendToChildren(int mode, CEvent* event) override;

	// A left-button press at the screen point; true when it found an object (the press is spent).
	bool onClick(int x, int y);
	void requestHint();

	BaseNode* getHitObjects() const { return hitObjects.get(); }
	BaseNode* getHintedObject() const { return hintedObject.get(); }
	int getHintCooldown() const { return hintCooldown; }
	GPathMovableNode* getHintTrail() const { return hintTrail.get(); }
	GLevelPaths* getHintPaths() const { return hintPaths.get(); }
	GHOHintParticlesNode* getHintParticles() const { return hintParticles.get(); }

private:
	void start();
	void showObjectCount();
	// The sparkles over the hinted object, for as long as the hint's cooldown runs.
	void highlightHinted(bool on);

	SmartPointer<BaseNode> hitObjects;
	SmartPointer<TextNode> objCountText;
	SmartPointer<TextNode> timeTargText; // counts the elapsed time up
	SmartPointer<TextNode> timeCurrText; // the configured time
	SmartPointer<SpawnerNode> foundNode;
	SmartPointer<BaseNode> hintedObject;
	int hintCooldown = 0;
	SmartPointer<GPathMovableNode> hintTrail;
	SmartPointer<GLevelPaths> hintPaths;
	SmartPointer<GHOHintParticlesNode> hintParticles; // "HintParticles" beside the trail; optional
};
