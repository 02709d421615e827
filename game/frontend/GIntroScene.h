#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrString.h>

#include <chrono>
#include <cstddef>
#include <vector>

class AtlasTextureCollection;
class CContentPreloader;
class ContentObject;
class CTextureUpload;
class CXMLReader;
class ImageContent;
class SoundPackLoading;
class TemplateCollectionNode;

// The loading screen: runs the start-up loading steps in order, a small part at a time and only a few
// milliseconds of each frame, while a loading thread reads and decodes the files ahead of them. Shows the
// progress in a bar and opens the main menu as soon as every step is done.
class GIntroScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GIntroScene, NodeTypeGIntroScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GIntroScene)

public:
	static constexpr const char* MainMenuSceneName = "scenes/MainMenuScene.qscn";
	// Main-thread time one update spends on loading (ms): parts run until it is used up, so an update holds
	// the frame loop for at most this and one part (one file, or one atlas page's upload).
	static constexpr int UpdateBudgetMs = 5;
	// Updates without a part for this long (ms, on the clock) mean the loading thread's results no longer come.
	static constexpr unsigned StallLimitMs = 5000;
	// Pixels of a prepared picture uploaded in one part: a large page's texture is filled over several parts.
	static constexpr size_t UploadBandBytes = 512 * 1024;

	// Parts long enough that the frame loop would be held too long if they ran late in an update.
	enum class HeavyPart
	{
		None,
		TextureStorage, // a texture's storage made, before its bands
		WholeFile,      // a scene file loaded in one go
	};
	// What one call of a step did with its next part.
	enum class StepProgress
	{
		Waiting,  // its files are still being read ahead; nothing done
		Advanced, // one part done, more follow
		Finished, // its last part done
	};
	// One loading step and its share of the progress; run does one part of it.
	struct LoadingStep
	{
		StepProgress (GIntroScene::*run)(int part);
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

	// Moves the shown progress towards the steps run so far and sizes the bar to it.
	void animateProgress();
	// Runs loading parts until the update's budget is used up or the next part waits for its files.
	void runLoadingParts();

	// For tests and benchmarks: the main-thread budget of one update (ms); 0 runs one part per update.
	void setUpdateBudget(int milliseconds) { updateBudgetMs = milliseconds; }
	// Parts run so far and the most run in a single update.
	int getPartCount() const { return partCount; }
	int getMostPartsInOneUpdate() const { return mostPartsInOneUpdate; }
	bool isLoadingDone() const { return stepIndex >= StepCount; }

	float getDisplayed() const { return displayed; }
	float getTarget() const { return target; }
	float getTotal() const { return total; }
	int getStepIndex() const { return stepIndex; }
	size_t getLoadedAtlasCount() const { return loadedAtlases.size(); }
	size_t getLoadedParticleCollectionCount() const { return loadedParticleCollections.size(); }

private:
	StepProgress registerClasses(int part);
	StepProgress loadSoundPack(int part);
	StepProgress loadBuildingsAtlas(int part);
	StepProgress loadEnvironmentAtlases(int part);
	StepProgress loadMiniGameAtlases(int part);
	StepProgress loadMainMenuAtlas(int part);
	StepProgress loadGameMenuAtlas(int part);
	StepProgress loadMenuAtlases(int part);
	StepProgress loadInterfaceTemplates(int part);
	StepProgress loadLevelTemplates(int part);
	StepProgress loadLevelConfiguration(int part);
	StepProgress loadComics(int part);

	// Asks the loading thread for every file of the steps, in the order the steps open them.
	void startReadingAhead();
	void stopReadingAhead();
	// True once the loading thread is done with name (or never had it).
	bool isReadAhead(const char* name) const;
	// Loads the atlas lists one part at a time: a list is opened, then each part loads up to one page.
	StepProgress loadAtlases(const char* const* names, size_t count);
	void loadParticles(const char* name);
	// Finished once name is read ahead and the textures of the pictures it loads are made; Waiting or Advanced
	// (a part spent on a texture) before.
	StepProgress readySceneFile(const char* name);
	// Makes the texture of the prepared picture of name, one band of rows a part, and leaves it prepared in the
	// content manager for the load that asks for it; true once done (or when no picture is prepared).
	bool uploadPreparedPicture(const irr::core::stringc& name);

	BaseNode* progressBackground = nullptr; // child of this scene's tree
	BaseNode* progressBar = nullptr;        // child of this scene's tree
	float displayed = 0.0f;
	float target = 0.0f;
	float total = 0.0f;
	int stepIndex = 0;
	int partIndex = 0; // of the step being run
	int updateBudgetMs = UpdateBudgetMs;
	int partCount = 0;
	int mostPartsInOneUpdate = 0;
	SmartPointer<CContentPreloader> preloader;
	// Since when the updates ran no part; past StallLimitMs the loading thread is given up and the steps read
	// their files themselves.
	std::chrono::steady_clock::time_point stalledSince;
	bool stalled = false;
	bool readingAheadGivenUp = false;
	// The atlas list being read: its reader and the collection it fills; index in the step's names.
	SmartPointer<CXMLReader> atlasReader;
	SmartPointer<AtlasTextureCollection> atlasInProgress;
	size_t atlasIndex = 0;
	// The file of the template steps being loaded, and the picture of it whose texture is being made.
	int fileIndex = 0;
	size_t pictureIndex = 0;
	bool sceneFileReady = false; // its pictures are done; the next part loads it
	// The kind of the next part when it is heavy, and what the last texture storage took (ms); before the first
	// it counts as the whole budget.
	HeavyPart nextHeavy = HeavyPart::None;
	double textureStorageMs = UpdateBudgetMs;
	// The texture being made from a prepared picture, and that picture.
	SmartPointer<CTextureUpload> pictureUpload;
	SmartPointer<ImageContent> uploadedPicture;
	// The sound pack being read, between the parts of its step.
	SmartPointer<SoundPackLoading> soundPackLoading;
	// The template collections their steps add to, between the parts of those steps.
	SmartPointer<TemplateCollectionNode> interfaceTemplates;
	SmartPointer<TemplateCollectionNode> levelTemplates;
	std::vector<SmartPointer<ContentObject>> loadedAtlases;
	std::vector<SmartPointer<ContentObject>> loadedParticleCollections;
};