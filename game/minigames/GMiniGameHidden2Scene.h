#pragma once

#include "GMiniGameHiddenBase.h"

#include <map>

class SpriteNode;

// The ordered hidden-object mini-game: the objects are wanted one at a time in an order drawn when
// the scene is loaded, a preview shows the wanted one, and a trail flies to it on hover or hint.
class GMiniGameHidden2Scene : public GMiniGameHiddenBase
{
	ENGINE_NODE_TYPE(GMiniGameHidden2Scene, NodeTypeGMiniGameHidden2Scene, GMiniGameHiddenBase)
	ENGINE_NODE_CLONE(GMiniGameHidden2Scene)

public:
	static constexpr const char* PreviewFolder = "levels/minigame_hidden2/Preview/";
	static constexpr float DefaultTrailVelocity = 100.0f;
	static constexpr int DefaultTrailPps = 100;

	explicit GMiniGameHidden2Scene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                               INodeEventQueue* sceneManager = nullptr);
	~GMiniGameHidden2Scene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	void loadMiniGameElement(IXMLReader* reader) override;
	bool updateTime(unsigned elapsed) override;
	bool sendToChildren(int mode, CEvent* event) override;

	// The hint runs the trail to the wanted object four times.
	void requestHint() override;
	using GMiniGameHiddenBase::onMouseMove;
	void onMouseMove(int x, int y);
	// Shows the wanted object's preview and count, or completes the game when none is left.
	void showCurrentItem();
	void startHintTrail(BaseNode* object, int repeats);

	// The wanted object, or null when every object has been found.
	BaseNode* getWantedObject() const;
	const irr::core::array<SmartPointer<BaseNode>>& getFindOrder() const { return findOrder; }
	int getCurrentIndex() const { return currentIndex; }
	float getHintTrailVelocity() const { return hintTrailVelocity; }
	int getHintTrailPps() const { return hintTrailPps; }
	const std::map<StringId, irr::core::stringc>& getPreviewFiles() const { return previewFiles; }

protected:
	void startPlay() override;
	// True when it found the wanted object.
	bool pressPicture(int x, int y) override;

private:
	void readItems(IXMLReader* reader);
	bool trailIdle() const;

	irr::core::array<SmartPointer<BaseNode>> findOrder;
	SmartPointer<SpriteNode> previewImage;
	int currentIndex = 0;
	bool pointerOverCurrent = false;
	float hintTrailVelocity = DefaultTrailVelocity; // pixels per second
	int hintTrailPps = DefaultTrailPps;
	std::map<StringId, irr::core::stringc> previewFiles; // object name -> preview picture name
};
