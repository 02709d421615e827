#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

#include <vector>

class ContentObject;

// The loading screen: runs the start-up loading steps one at a time between frames, shows the
// progress in a bar and opens the main menu when all are done and the bar has caught up.
class GIntroScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GIntroScene, NodeTypeGIntroScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GIntroScene)

public:
	static constexpr const char* MainMenuSceneName = "scenes/MainMenuScene.qscn";
	// Time gathered between two steps (ms); a step runs once the timer is above it.
	static constexpr int StepInterval = 50;

	// One loading step and its share of the progress.
	struct LoadingStep
	{
		void (GIntroScene::*run)();
		float weight;
	};
	static constexpr int StepCount = 12;
	static const LoadingStep loadingSteps[StepCount];

	explicit GIntroScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                     INodeEventQueue* sceneManager = nullptr);
	~GIntroScene() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	bool updateTime(unsigned elapsed) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;

	// Moves the shown progress towards the steps run so far and sizes the bar to it.
	void animateProgress();

	float getDisplayed() const { return displayed; }
	float getTarget() const { return target; }
	float getTotal() const { return total; }
	int getStepIndex() const { return stepIndex; }
	size_t getLoadedAtlasCount() const { return loadedAtlases.size(); }
	size_t getLoadedParticleCollectionCount() const { return loadedParticleCollections.size(); }

private:
	void registerClasses();
	void loadSoundPack();
	void loadBuildingsAtlas();
	void loadEnvironmentAtlases();
	void loadMiniGameAtlases();
	void loadMainMenuAtlas();
	void loadGameMenuAtlas();
	void loadMenuAtlases();
	void loadInterfaceTemplates();
	void loadLevelTemplates();
	void loadLevelConfiguration();
	void loadComics();

	void loadAtlas(const char* name);
	void loadParticles(const char* name);

	BaseNode* progressBackground = nullptr; // child of this scene's tree
	BaseNode* progressBar = nullptr;        // child of this scene's tree
	float displayed = 0.0f;
	float target = 0.0f;
	float total = 0.0f;
	int stepIndex = 0;
	int stepTimer = 0; // ms
	std::vector<SmartPointer<ContentObject>> loadedAtlases;
	std::vector<SmartPointer<ContentObject>> loadedParticleCollections;
};
