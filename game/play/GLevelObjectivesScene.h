#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class GGameLevelScene;
class TextNode;

// Popup over the play screen naming the level, its story and its targets; after two seconds of focus
// it starts the level's music. OK, Esc or Enter close it.
class GLevelObjectivesScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GLevelObjectivesScene, NodeTypeGLevelObjectivesScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GLevelObjectivesScene)

public:
	static constexpr const char* FileName = "scenes/LevelObjectivesScene.qscn";
	// Focused time before the level's music starts (ms).
	static constexpr int MusicDelay = 1999;
	// Below this level index the targets are the expert score alone.
	static constexpr int FullTargetsFromLevelIndex = 3;

	explicit GLevelObjectivesScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                               INodeEventQueue* sceneManager = nullptr);
	~GLevelObjectivesScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	void setLevel(GGameLevelScene* level);
	GGameLevelScene* getLevel() const { return levelScene.get(); }

	bool updateTime(unsigned elapsed) override { return update(elapsed); }
	bool update(unsigned elapsed);
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	TextNode* getLevelText() const { return levelText; }
	TextNode* getWelcomeText() const { return welcomeText; }
	TextNode* getInfoText() const { return infoText; }
	TextNode* getExpertTimeText() const { return expertTimeText; }
	TextNode* getExpertScoreText() const { return expertScoreText; }
	TextNode* getScoreText() const { return scoreText; }
	TextNode* getGoalsText() const { return goalsText; }
	BaseNode* getClock() const { return clock; }
	BaseNode* getGoldStar() const { return goldStar; }
	BaseNode* getSilverStar() const { return silverStar; }

	// Writes the level's name, story, goals and targets into the texts.
	void fillTexts();

private:
	// The level music of the play screen directly below, when there is one.
	void playLevelMusic();

	// Parts of this scene's tree, found when it is loaded; null when missing.
	TextNode* levelText = nullptr;
	TextNode* welcomeText = nullptr;
	TextNode* infoText = nullptr;
	BaseNode* clock = nullptr;
	TextNode* expertTimeText = nullptr;
	BaseNode* goldStar = nullptr;
	TextNode* expertScoreText = nullptr;
	BaseNode* silverStar = nullptr;
	TextNode* scoreText = nullptr;
	TextNode* goalsText = nullptr;
	SmartPointer<GGameLevelScene> levelScene;
};
