#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

#include <initializer_list>
#include <irrlicht/irrString.h>

class IXMLReader;
class SpawnerNode;

// Common base of the mini-game screens: the guide character that must be dismissed before play, the
// time and score counters, the configuration file and the end of a game in the player's profile.
class GMiniGameScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GMiniGameScene, NodeTypeGMiniGameScene, GBaseSceneNode)

public:
	static constexpr const char* ConfigurationFileName = "MiniGameConfiguration.xml";
	static constexpr const char* CompletedSceneFileName = "scenes/MiniCompletedScene.qscn";
	// The last map location: a mini-game there leaves the player on it.
	static constexpr int LastLocationIndex = 31;
	// The time limit a refused MaxLevelTime falls back to, in ms: a real game, never one over at once.
	static constexpr int DefaultMaxLevelTime = 60000;

	explicit GMiniGameScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);
	~GMiniGameScene() override;

	// Only the games are made; the base alone is never cloned.
	BaseNode* clone(BaseNode* parent = nullptr, INodeEventQueue* sceneManager = nullptr) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	bool updateTime(unsigned elapsed) override;
	// Entered: the music, new counters, the game's own start (startPlay) and the guide's first phase.
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	// The "MenuButton" leaves to the opener in every game.
	bool onNodePressed(CEventNodeClicked* event) override;

	// Reads folder + "MiniGameConfiguration.xml"; false (logged) when the file cannot be opened.
	bool loadConfiguration(const irr::core::stringc& folder);
	// The reading loop over an opened configuration; the last read result.
	bool parseConfiguration(IXMLReader* reader);
	// One game-specific element, the reader standing on it; the base ignores every element.
	virtual void loadMiniGameElement(IXMLReader* reader);
	// Whether the loaded scene can be played; a damaged one (logged) is refused by the loading scene, so
	// that it cannot be won without play.
	virtual bool checkPlayable() const;

	void setLinetPhase(int phase);
	// Records the result once per entry into the scene and opens the completed scene.
	void completeMiniGame();

	int getLinetPhase() const { return linetPhase; }
	int getPhaseTime() const { return phaseTime; }
	int getElapsedTime() const { return elapsedTime; }
	int getScore() const { return score; }
	int getMaxLevelTime() const { return maxLevelTime; }
	int getExpertScore() const { return expertScore; }
	bool isCompleted() const { return completed; }

protected:
	// Counters of a new round of play: called when the scene is entered.
	void resetPlay();
	// The game's own counters and texts as its scene is entered, after resetPlay.
	virtual void startPlay();
	// False while the guide stands or once the game is over; a press while the guide waits dismisses it.
	bool pressReachesPlay();
	// The node at the end of the path of direct children's names below the scene, or null.
	BaseNode* findPart(std::initializer_list<const char*> path);
	// The "MenuButton": back past the loading scene to the scene that opened it.
	void leaveToOpener();
	// The found-object effect at the centre of the object: the star template's timing and the
	// spawner's rate follow the object's size.
	void showFoundEffect(BaseNode* object, SpawnerNode* foundNode);
	// Reads a level-paths file by the name the configuration gives.
	static void loadPathsFile(class GLevelPaths* paths, IXMLReader* reader);

	int linetPhase = 0;
	int phaseTime = 0;
	int linetAppearDelay = 300;
	SmartPointer<BaseNode> linet;
	SmartPointer<BaseNode> linetText;
	int elapsedTime = 0;
	int score = 0;
	int maxLevelTime = 0;
	int expertScore = 0;
	// Set by completeMiniGame, so a completed scene that fails to open is not retried every update.
	bool completed = false;
};
