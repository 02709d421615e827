#pragma once

#include "data/Campaign.h"

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class GGameLevelScene;
class TextNode;

// Popup of a won level: the completion score and the bonus, a total that counts up, the expert time
// and the player's time; OK, Esc or Enter leave the level for the map (or the main menu after the last).
class GLevelCompletedScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GLevelCompletedScene, NodeTypeGLevelCompletedScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GLevelCompletedScene)

public:
	static constexpr const char* FileName = "scenes/LevelCompletedScene.qscn";
	static constexpr const char* MapSceneName = "scenes/MapScene.qscn";
	// The last level of the game: it has no scores to show, only the times.
	static constexpr int LastLevelNumber = Campaign::LastLevelNumber;
	// Up to this level number the times are not shown.
	static constexpr int LastLevelWithoutTimes = 3;
	// Pause before the count starts, and the share of the target counted per second.
	static constexpr int CountDelay = 99;
	static constexpr float CountRate = 0.75f;
	static constexpr int FanfareTime = 2000;
	static constexpr int MusicTime = 5000;

	enum Phase
	{
		Idle = 0,
		Delay = 1,
		Counting = 2,
	};

	explicit GLevelCompletedScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                              INodeEventQueue* sceneManager = nullptr);
	~GLevelCompletedScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	void setLevel(GGameLevelScene* level);
	GGameLevelScene* getLevel() const { return levelScene.get(); }

	bool updateTime(unsigned elapsed) override { return update(elapsed); }
	bool update(unsigned elapsed);
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onKeyUp(CEventInputKeyUp* event) override;

	// Leaves the level: empties the level layer, closes back to the map and opens a story comic.
	void continueToMap();

	int getPhase() const { return phase; }
	bool isLeaving() const { return leaving; }
	float getShownScore() const { return shownScore; }
	float getShownTime() const { return shownTime; }
	TextNode* getCompletionScoreText() const { return completionScoreText; }
	TextNode* getBonusText() const { return bonusText; }
	TextNode* getScoreText() const { return scoreText; }
	TextNode* getExpertTimeText() const { return expertTimeText; }
	TextNode* getTimeText() const { return timeText; }
	TextNode* getDoneText() const { return doneText; }
	BaseNode* getExpertTimeRow() const { return expertTimeRow; }
	BaseNode* getTimeRow() const { return timeRow; }
	BaseNode* getCompletionScoreRow() const { return completionScoreRow; }
	BaseNode* getExpertScoreRow() const { return expertScoreRow; }
	BaseNode* getScoreRow() const { return scoreRow; }

private:
	int levelNumber() const;
	void fillTexts();
	// Shows the rows the level has and moves them together.
	void layoutRows(int number);
	void count(unsigned elapsed);

	// Parts of this scene's tree, found when it is loaded; null when missing.
	BaseNode* expertTimeRow = nullptr;
	TextNode* expertTimeText = nullptr;
	BaseNode* timeRow = nullptr;
	TextNode* timeText = nullptr;
	BaseNode* completionScoreRow = nullptr;
	TextNode* completionScoreText = nullptr;
	BaseNode* expertScoreRow = nullptr;
	TextNode* bonusText = nullptr;
	BaseNode* scoreRow = nullptr;
	TextNode* scoreText = nullptr;
	TextNode* doneText = nullptr;

	int phase = Idle;
	int phaseTimer = 0;     // ms
	float shownTime = 0.0f; // ms
	int timeTarget = 0;     // ms
	float shownScore = 0.0f;
	int scoreTarget = 0;
	bool fanfarePlayed = false;
	bool musicPlayed = false;
	bool leaving = false; // continueToMap has run since the scene was entered
	SmartPointer<GGameLevelScene> levelScene;
};
