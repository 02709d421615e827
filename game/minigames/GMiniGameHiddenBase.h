#pragma once

#include "GMiniGameScene.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/vector2d.h>

class GLevelPaths;
class GPathMovableNode;
class TextNode;

// Common part of the two hidden-object games: the picture's objects under "HitObjects", the elapsed and the
// configured time, the object count, the found-object effect and the hint trail with its routes. A picture
// without objects is damaged: refused at loading, never won at once.
class GMiniGameHiddenBase : public GMiniGameScene
{
public:
	~GMiniGameHiddenBase() override;

	void onLoaded() override;
	void loadMiniGameElement(IXMLReader* reader) override;
	bool checkPlayable() const override;
	bool updateTime(unsigned elapsed) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool sendToChildren(int mode, CEvent* event) override;

	// A left-button press at the screen point; true when it found an object (the press is spent).
	bool onClick(int x, int y);
	// A press of the "HintButton".
	virtual void requestHint() = 0;

	BaseNode* getHitObjects() const { return hitObjects.get(); }
	GPathMovableNode* getHintTrail() const { return hintTrail.get(); }
	GLevelPaths* getHintPaths() const { return hintPaths.get(); }

protected:
	GMiniGameHiddenBase(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager);

	void startPlay() override;
	// A press on the picture once the guide has gone; true when it found an object.
	virtual bool pressPicture(int x, int y) = 0;
	void showObjectCount(int count);
	// The points of a random hint route named after the object, walked repeats times, last point first when
	// reversed; false when there is no trail or no such route.
	bool hintRoute(const BaseNode* object, int repeats, bool reversed,
	               irr::core::array<irr::core::vector2df>& points) const;

	SmartPointer<BaseNode> hitObjects;
	SmartPointer<TextNode> objCountText;
	SmartPointer<TextNode> timeTargText; // counts the elapsed time up
	SmartPointer<TextNode> timeCurrText; // the configured time
	SmartPointer<SpawnerNode> foundNode;
	SmartPointer<GPathMovableNode> hintTrail;
	SmartPointer<GLevelPaths> hintPaths;
};
