#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class TextNode;

// Result popup over a finished mini-game: counts the play time and the points gained up from zero,
// greets the player and returns past the mini-game to the scene that started it.
class GMiniCompletedScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GMiniCompletedScene, NodeTypeGMiniCompletedScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GMiniCompletedScene)

public:
	explicit GMiniCompletedScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                             INodeEventQueue* sceneManager = nullptr);
	~GMiniCompletedScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	bool updateTime(unsigned elapsed) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onKeyUp(CEventInputKeyUp* event) override;

	// The time limit (kept, not shown), the play time in ms and the points gained.
	void setResults(int timeLimit, int time, int gain);

	int getCountState() const { return countState; }

private:
	void writeCounters();
	bool close();

	int countState = 0; // 0 idle, 1 waiting, 2 counting
	int countTimer = 0; // ms in state 1
	SmartPointer<TextNode> timeText;
	float shownTime = 0.0f; // ms
	int targetTime = 0;
	SmartPointer<TextNode> scoreText;
	float shownScore = 0.0f;
	int targetScore = 0;
	SmartPointer<TextNode> doneText;
	int resultTimeLimit = 0;
	int resultTime = 0;
	int resultGain = 0;
};
