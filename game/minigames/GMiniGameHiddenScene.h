#pragma once

#include "GMiniGameHiddenBase.h"

class GHOHintParticlesNode;

// The hidden-object mini-game: the player clicks the hidden objects of a picture in any order until
// none is left; a hint sends a trail along a prepared route to one of them.
class GMiniGameHiddenScene : public GMiniGameHiddenBase
{
	ENGINE_NODE_TYPE(GMiniGameHiddenScene, NodeTypeGMiniGameHiddenScene, GMiniGameHiddenBase)
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
	bool updateTime(unsigned elapsed) override;

	void requestHint() override;

	BaseNode* getHintedObject() const { return hintedObject.get(); }
	int getHintCooldown() const { return hintCooldown; }
	GHOHintParticlesNode* getHintParticles() const { return hintParticles.get(); }

protected:
	void startPlay() override;
	bool pressPicture(int x, int y) override;

private:
	// The sparkles over the hinted object, for as long as the hint's cooldown runs.
	void highlightHinted(bool on);

	SmartPointer<BaseNode> hintedObject;
	int hintCooldown = 0;
	SmartPointer<GHOHintParticlesNode> hintParticles; // "HintParticles" beside the trail; optional
};
