#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class GGameLevelScene;
class GGamePlayScene;

// The screen between the map and a level: loads the level's scene file and the play screen one step
// per update behind a progress bar, starts the level and pushes the play screen (or a mini-game).
class GLoadingLevelScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GLoadingLevelScene, NodeTypeGLoadingLevelScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GLoadingLevelScene)

public:
	static constexpr const char* FileName = "scenes/LoadingLevelScene.qscn";
	static constexpr const char* GamePlaySceneName = "scenes/GamePlayScene.qscn";
	// Focused time before the first step, so the screen is seen before the work starts (ms).
	static constexpr int StartDelay = 500;

	enum State
	{
		Idle = 0,
		Waiting = 1,
		LoadingLevelScene = 2,
		IdentifyingLevelScene = 3,
		LoadingPlayScreen = 4,
		StartingLevel = 5,
		// A step failed: the player reads why before the scene closes.
		ShowingFailure = 6,
	};
	// How long the failure notice stays before the scene goes back (ms).
	static constexpr int FailureNoticeTime = 2000;

	explicit GLoadingLevelScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);
	~GLoadingLevelScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	bool updateTime(unsigned elapsed) override { return update(elapsed); }
	// The state machine: one step per call; false once the scene has closed itself.
	bool update(unsigned elapsed);
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;

	void setLevelName(const irr::core::stringc& name) { levelName = name; }
	const irr::core::stringc& getLevelName() const { return levelName; }
	// "levels/" + the level name + "/".
	irr::core::stringc getLevelFolder() const;

	int getState() const { return state; }
	float getDisplayed() const { return displayed; }
	float getTarget() const { return target; }
	BaseNode* getLevelScene() const { return levelScene.get(); }
	GGamePlayScene* getPlayScreen() const { return playScreen.get(); }

	// Moves the shown value to the target at once and sizes the bar to it.
	void advanceProgress();

private:
	bool loadLevelScene();
	bool identifyLevelScene();
	bool loadGamePlayScene();
	bool startLevel();

	// Hands the level folder to a mini-game scene so it reads its configuration.
	bool configureMiniGame(SceneNode* miniGame);
	// Back to the scene below (the map, or the main menu for the very first level).
	void closeBack();
	// Puts the failure notice in place of the title and the bar.
	void showFailure();

	irr::core::stringc levelName;
	BaseNode* progressBackground = nullptr; // child of this scene's tree
	BaseNode* progressBar = nullptr;        // child of this scene's tree
	float displayed = 0.0f;                 // percent
	float target = 0.0f;                    // percent
	float scale = 100.0f;                   // a full bar
	int state = Idle;
	int failureTime = 0; // ms the failure notice has been shown
	SmartPointer<BaseNode> levelScene;
	SmartPointer<GGamePlayScene> playScreen;
};
