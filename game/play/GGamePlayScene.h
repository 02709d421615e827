#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrString.h>
#include <vector>

class BaseProgressBarNode;
class CheckBoxNode;
class ControlNode;
class GBuildingNode;
class GBuildingType;
class GEllipseSectorNode;
class GEventFeatureIncome;
class GEventNewDay;
class GEventResourcesReturned;
class GEventSelectionChanged;
class GEventWorkCompleted;
class GGameLevelScene;
class ListNode;
class TabSceneNode;
class TextNode;

// The play screen: the interface over a running level. Starts the level, shows it inside its own
// tree, drives music, clock, HUD and hints, and turns the player's clicks into level commands.
class GGamePlayScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GGamePlayScene, NodeTypeGGamePlayScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GGamePlayScene)

public:
	static constexpr unsigned UpdatePeriod = 20;
	static constexpr const char* FileName = "scenes/GamePlayScene.qscn";

	explicit GGamePlayScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);
	~GGamePlayScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	// Prepares the level in the folder (narrow, ending in "/") and shows it in the level layer;
	// false, with nothing changed, when the level cannot start. Called once before the push.
	bool startLevel(const irr::core::stringc& folder, GGameLevelScene* level);
	// Unregisters and stops the tutorial.
	void endTutorial();

	GGameLevelScene* getLevelScene() const { return levelScene.get(); }

private:
	SmartPointer<GGameLevelScene> levelScene;
};
