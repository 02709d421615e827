#include "GIntroScene.h"

#include "app/GGameApplication.h"
#include "content/AtlasTextureCollection.h"
#include "content/CContentPreloader.h"
#include "content/PathUtils.h"
#include "app/GameNodeClasses.h"
#include "audio/SoundPack.h"
#include "core/ILogger.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CSoundPackProcessor.h"
#include "content/CTexture.h"
#include "content/CTextureUpload.h"
#include "content/CXMLReader.h"
#include "content/ContentType.h"
#include "content/IFileSystem.h"
#include "content/ImageContent.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>

const GIntroScene::LoadingStep GIntroScene::loadingSteps[GIntroScene::StepCount] = {
    {&GIntroScene::registerClasses, 10.0f},        {&GIntroScene::loadSoundPack, 20.0f},
    {&GIntroScene::loadBuildingsAtlas, 10.0f},     {&GIntroScene::loadEnvironmentAtlases, 10.0f},
    {&GIntroScene::loadMiniGameAtlases, 10.0f},    {&GIntroScene::loadMainMenuAtlas, 10.0f},
    {&GIntroScene::loadGameMenuAtlas, 10.0f},      {&GIntroScene::loadMenuAtlases, 10.0f},
    {&GIntroScene::loadInterfaceTemplates, 30.0f}, {&GIntroScene::loadLevelTemplates, 30.0f},
    {&GIntroScene::loadLevelConfiguration, 5.0f},  {&GIntroScene::loadComics, 5.0f},
};

namespace
{
const char* const SoundPackName = "sounds/SoundPack.xml";
const char* const ComicsConfigurationName = "scenes/ComicsConfiguration.xml";
// The atlas lists of each atlas step, in loading order.
const char* const buildingsAtlases[] = {"atlases/Buildings.xml"};
// Life in the city: the weather particles and the pictures of the movers, balloons and fireworks come last.
const char* const environmentAtlases[] = {"atlases/Env1.xml", "atlases/Env2.xml", "atlases/Districts.xml",
                                          "atlases/Effects.xml", "atlases/Movers.xml"};
const char* const miniGameAtlases[] = {"atlases/Minigame1.xml", "atlases/Minigame2.xml", "atlases/Minigame3.xml",
                                       "atlases/Minigame4.xml"};
const char* const mainMenuAtlases[] = {"atlases/MainMenu.xml"};
const char* const gameMenuAtlases[] = {"atlases/GameMenu.xml"};
// The map's upgrade icons. The shop and the objectives popup draw from the main menu's atlas: they have none of
// their own.
const char* const menuAtlases[] = {"atlases/MapMenu.xml"};
// The emitters the mini-games' hint trails name (the city levels name none, so the level step loads no particle
// collection), then the interface's templates and the collections whose templates join them.
const char* const interfaceFiles[] = {"scenes/ParticleCollection.xml", "scenes/TemplateCollection.qscn",
                                      "scenes/MainMenuMovers.qscn", "scenes/MiniGameTemplates.qscn"};
// The level templates, the fireworks that join them and the collection of movers whose templates join them.
const char* const levelFiles[] = {"levels/common/TemplateCollection.qscn", "levels/common/Fireworks/1/f.qscn",
                                  "levels/common/Fireworks/2/f.qscn",      "levels/common/Fireworks/3/f.qscn",
                                  "levels/common/Fireworks/4/f.qscn",      "levels/common/Movers.qscn"};
const char* const configurationFiles[] = {"levels/common/BuildingsConfiguration.xml",
                                          "levels/common/UpgradesConfiguration.xml", GLevelScores::FileName};

CContentManager* contentManager()
{
	return gGameApplication ? gGameApplication->contentManager : nullptr;
}

// Hands the opened file to the loader; a file that does not open is skipped.
template <class Loader> void readXml(const char* name, Loader load)
{
	IFileSystem* files = getDevice()->getFileSystem();
	SmartPointer<CXMLReader> reader(files ? files->createXMLReader(name) : nullptr);
	if (reader)
		load(reader.get());
	else
		getLogger()->log("A file of the loading steps does not open; it is skipped", name, 1);
}

// Loads a file of the steps into the array that keeps it alive; one that does not load is logged and skipped.
void keepContent(ContentType type, const char* name, std::vector<SmartPointer<ContentObject>>& into)
{
	CContentManager* content = contentManager();
	SmartPointer<ContentObject> loaded(content ? content->getContent(type, name, false) : nullptr);
	if (loaded)
		into.push_back(loaded);
	else
		getLogger()->log("A file of the loading steps does not load; what it holds will be missing", name, 1);
}

// The root of a scene file when it is a template collection; null otherwise.
SmartPointer<TemplateCollectionNode> loadTemplates(const char* name)
{
	CContentManager* content = contentManager();
	SmartPointer<BaseNode> node(content ? content->getSceneNode(name, false) : nullptr);
	auto* templates = nodeCast<TemplateCollectionNode>(node.get());
	if (!templates)
		getLogger()->log("A template collection of the loading steps does not load; it is skipped", name, 1);
	return SmartPointer<TemplateCollectionNode>(shareRef(templates));
}

// Copies of the templates of another collection file join the collection (the movers and decorations).
void addTemplatesOf(TemplateCollectionNode* collection, const char* name)
{
	SmartPointer<TemplateCollectionNode> more = loadTemplates(name);
	if (!collection || !more)
		return;
	for (irr::u32 i = 0; i < more->getChildren().size(); ++i)
	{
		SmartPointer<BaseNode> copy(more->getChildren()[i]->clone());
		collection->addTemplate(copy.get());
	}
}
} // namespace

GIntroScene::GIntroScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GIntroScene::~GIntroScene()
{
	stopReadingAhead();
}

const irr::core::stringw& GIntroScene::typeNameText()
{
	static const irr::core::stringw name(L"GIntroScene");
	return name;
}

void GIntroScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GIntroScene::onLoaded()
{
	BaseNode* scene = findChild(internStringId("Scene"), 0);
	progressBackground = scene ? scene->findChild(internStringId("ProgressBg"), 0) : nullptr;
	progressBar = scene ? scene->findChild(internStringId("Progress"), 0) : nullptr;
	total = 0.0f;
	for (const LoadingStep& step : loadingSteps)
		total += step.weight;
}

bool GIntroScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GBaseSceneNode::onSceneChangeStarted(event);
	return event->newScene == this;
}

bool GIntroScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	if (!isLoadingDone())
	{
		const int partsBefore = partCount;
		runLoadingParts();
		// Measured on the clock, as the loading thread runs: a caller stepping faster than time does not hurry it.
		const auto now = std::chrono::steady_clock::now();
		if (partCount != partsBefore || isLoadingDone() || !stalled)
			stalledSince = now;
		stalled = partCount == partsBefore && !isLoadingDone();
		if (stalled && preloader && now - stalledSince >= std::chrono::milliseconds(StallLimitMs))
		{
			// Whatever keeps the loading thread's results from coming, the intro must still end.
			getLogger()->log("Reading ahead stalled; the loading steps read their files themselves", "", 1);
			stopReadingAhead();
			readingAheadGivenUp = true;
		}
	}
	animateProgress();
	if (isLoadingDone() && displayed == target && openScene(MainMenuSceneName, false, nameIdNavFrom(), nameIdNavTo()))
		setScheduler(nullptr);
	return true;
}

void GIntroScene::runLoadingParts()
{
	using Clock = std::chrono::steady_clock;
	const Clock::time_point started = Clock::now();
	if (!preloader && !readingAheadGivenUp)
		startReadingAhead();
	if (preloader)
		preloader->deliver(contentManager());
	int parts = 0;
	while (!isLoadingDone())
	{
		const LoadingStep& step = loadingSteps[stepIndex];
		const HeavyPart heavy = nextHeavy;
		nextHeavy = HeavyPart::None;
		const Clock::time_point partStart = Clock::now();
		const StepProgress progress = (this->*step.run)(partIndex);
		if (heavy == HeavyPart::TextureStorage)
			textureStorageMs = std::chrono::duration<double, std::milli>(Clock::now() - partStart).count();
		const Clock::time_point endOfBudget = started + std::chrono::milliseconds(updateBudgetMs);
		if (progress == StepProgress::Waiting)
		{
			// The rest of the budget may wait for the loading thread; the frame is not held longer.
			if (Clock::now() >= endOfBudget || !preloader)
				break;
			nextHeavy = heavy;
			preloader->waitForResult(endOfBudget);
			preloader->deliver(contentManager());
			continue;
		}
		++parts;
		++partIndex;
		if (progress == StepProgress::Finished)
		{
			target += step.weight;
			++stepIndex;
			partIndex = 0;
		}
		if (Clock::now() >= endOfBudget)
			break;
		// A whole file begins an update of its own; a texture's storage is made only where it is expected to end
		// within twice the budget (it costs about what the last one did), else it begins the next update.
		const double used = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
		if (nextHeavy == HeavyPart::WholeFile ||
		    (nextHeavy == HeavyPart::TextureStorage && used + textureStorageMs > 2 * updateBudgetMs))
			break;
		if (preloader)
			preloader->deliver(contentManager());
	}
	partCount += parts;
	mostPartsInOneUpdate = std::max(mostPartsInOneUpdate, parts);
	if (isLoadingDone())
	{
		stopReadingAhead();
		// Nothing is left to wait for: the bar shows it at once.
		displayed = target;
	}
}

void GIntroScene::animateProgress()
{
	if (total == 0.0f || displayed == target)
		return;
	// A third of the way each update, never slower than a hundredth of the bar: it follows the loading smoothly.
	displayed += std::max(total / 100.0f, (target - displayed) / 3.0f);
	if (displayed > target)
		displayed = target;
	if (!progressBackground || !progressBar)
		return;
	irr::core::vector3df bounds = progressBackground->getBounds();
	bounds.X *= displayed / total;
	progressBar->setBounds(bounds);
	progressBar->updateAbsoluteTransform();
}

// ---- reading ahead

void GIntroScene::startReadingAhead()
{
	preloader = SmartPointer<CContentPreloader>(new CContentPreloader(getDevice()->getFileSystem()));
	using Kind = CContentPreloader::Kind;
	preloader->request(Kind::File, SoundPackName);
	for (const auto& [names, count] :
	     {std::pair(buildingsAtlases, std::size(buildingsAtlases)),
	      std::pair(environmentAtlases, std::size(environmentAtlases)),
	      std::pair(miniGameAtlases, std::size(miniGameAtlases)), std::pair(mainMenuAtlases, std::size(mainMenuAtlases)),
	      std::pair(gameMenuAtlases, std::size(gameMenuAtlases)), std::pair(menuAtlases, std::size(menuAtlases))})
		for (size_t i = 0; i < count; ++i)
			preloader->request(Kind::AtlasList, names[i]);
	for (const char* name : interfaceFiles)
		preloader->request(name == interfaceFiles[0] ? Kind::File : Kind::Scene, name);
	for (const char* name : levelFiles)
		preloader->request(Kind::Scene, name);
	for (const char* name : configurationFiles)
		preloader->request(Kind::File, name);
	preloader->request(Kind::File, ComicsConfigurationName);
}

void GIntroScene::stopReadingAhead()
{
	if (!preloader)
		return;
	preloader = nullptr;
	// Whatever was read ahead and not used goes with the thread.
	IDevice* device = Singleton<IDevice>::peek();
	if (IFileSystem* files = device ? device->getFileSystem() : nullptr)
		files->dropPreloadedFiles();
	if (CContentManager* content = contentManager())
		content->dropPreparedImages();
}

bool GIntroScene::isReadAhead(const char* name) const
{
	return !preloader || !preloader->isPending(name);
}

// ---- loading steps

GIntroScene::StepProgress GIntroScene::registerClasses(int)
{
	registerGameNodeClasses();
	return StepProgress::Finished;
}

GIntroScene::StepProgress GIntroScene::loadSoundPack(int part)
{
	CContentManager* content = contentManager();
	SmartPointer<SoundPack> pack;
	if (part == 0)
	{
		if (!isReadAhead(SoundPackName))
			return StepProgress::Waiting;
		CContentProcessorsManager* processors = content ? content->getProcessorsManager() : nullptr;
		auto* cached = content ? dynamic_cast<SoundPack*>(content->findCachedContent(
		                             ContentTypeSoundPack, ContentRef(content, SoundPackName)))
		                       : nullptr;
		if (cached || !processors || !processors->findProcessor(ContentTypeSoundPack))
		{
			// Loaded already, or nothing here reads packs: the plain way, in one part.
			SmartPointer<ContentObject> loaded(content ? content->getContent(ContentTypeSoundPack, SoundPackName, false)
			                                           : nullptr);
			pack = SmartPointer<SoundPack>(shareRef(dynamic_cast<SoundPack*>(loaded.get())));
		}
		else
		{
			soundPackLoading = SmartPointer<SoundPackLoading>(new SoundPackLoading(content, SoundPackName));
			if (soundPackLoading->isOpen())
				return StepProgress::Advanced;
			soundPackLoading = nullptr;
		}
	}
	else if (soundPackLoading)
	{
		// One cue a part: a cue's sounds are opened, and the small ones decoded, as it is read.
		if (!soundPackLoading->loadPart(1))
			return StepProgress::Advanced;
		pack = SmartPointer<SoundPack>(shareRef(soundPackLoading->getPack()));
		soundPackLoading = nullptr;
	}
	if (!pack)
		getLogger()->log("The sound pack of the loading steps does not load; the game is silent", SoundPackName, 1);
	if (pack && getDevice()->getSoundManager())
		pack->registerCues(getDevice()->getSoundManager());
	return StepProgress::Finished;
}

GIntroScene::StepProgress GIntroScene::loadAtlases(const char* const* names, size_t count)
{
	const char* name = names[atlasIndex];
	CContentManager* content = contentManager();
	irr::u32 pageBudget = 1;
	if (!atlasInProgress)
	{
		if (!isReadAhead(name))
			return StepProgress::Waiting;
		IFileSystem* files = getDevice()->getFileSystem();
		atlasReader = SmartPointer<CXMLReader>(content && files ? files->createXMLReader(name) : nullptr);
		if (!atlasReader)
			getLogger()->log("A file of the loading steps does not load; what it holds will be missing", name, 1);
		else
		{
			atlasInProgress = SmartPointer<AtlasTextureCollection>(
			    new AtlasTextureCollection(ContentRef(content, name)));
			atlasInProgress->beginLoad();
			// Read up to the first page only, so that the loading thread's decoding of that page is waited
			// for like every later one's.
			pageBudget = 0;
		}
	}
	else if (atlasInProgress->getWaitingPageName().size())
	{
		const irr::core::stringc page = flattenPath(name, atlasInProgress->getWaitingPageName());
		if (!isReadAhead(page.c_str()))
			return StepProgress::Waiting;
		if (!uploadPreparedPicture(page))
			return StepProgress::Advanced;
	}
	if (atlasInProgress)
	{
		content->pushFolder(name);
		const bool read = atlasInProgress->loadPart(atlasReader.get(), pageBudget);
		content->popFolder();
		if (!read)
			return StepProgress::Advanced;
		getLogger()->log("Loaded atlas texture collection", name, 0);
		// A page the list names but no frame uses would take the room of the pictures that follow.
		if (preloader)
			for (const irr::core::stringc& page : preloader->getNamedPictures(name))
				SmartPointer<ImageContent>(content->takePreparedImage(ContentRef(content, page.c_str())));
		loadedAtlases.push_back(SmartPointer<ContentObject>(shareRef(atlasInProgress.get())));
		atlasInProgress = nullptr;
		atlasReader = nullptr;
	}
	if (++atlasIndex < count)
		return StepProgress::Advanced;
	atlasIndex = 0;
	return StepProgress::Finished;
}

bool GIntroScene::uploadPreparedPicture(const irr::core::stringc& name)
{
	CContentManager* content = contentManager();
	if (!content)
		return true;
	const ContentRef reference(content, name.c_str());
	if (!pictureUpload)
	{
		SmartPointer<ImageContent> picture(content->takePreparedImage(reference));
		if (!picture)
			return true;
		pictureUpload =
		    SmartPointer<CTextureUpload>(new CTextureUpload(content->getVideoDriver(), picture.get(), name));
		uploadedPicture = picture;
		// The next part makes the texture's storage.
		nextHeavy = HeavyPart::TextureStorage;
		return false;
	}
	if (!pictureUpload->uploadPart(UploadBandBytes))
		return false;
	SmartPointer<CTexture> texture(pictureUpload->takeTexture());
	if (texture)
		content->addPreparedTexture(reference, texture.detach(), pictureUpload->getPictureSize());
	else
	{
		// Not made: the picture goes back, so that the texture's load fails as it always has.
		content->addPreparedImage(reference, uploadedPicture.detach());
	}
	pictureUpload = nullptr;
	uploadedPicture = nullptr;
	return true;
}

void GIntroScene::loadParticles(const char* name)
{
	keepContent(ContentTypeParticleCollection, name, loadedParticleCollections);
}

GIntroScene::StepProgress GIntroScene::loadBuildingsAtlas(int)
{
	return loadAtlases(buildingsAtlases, std::size(buildingsAtlases));
}

GIntroScene::StepProgress GIntroScene::loadEnvironmentAtlases(int)
{
	return loadAtlases(environmentAtlases, std::size(environmentAtlases));
}

GIntroScene::StepProgress GIntroScene::loadMiniGameAtlases(int)
{
	return loadAtlases(miniGameAtlases, std::size(miniGameAtlases));
}

GIntroScene::StepProgress GIntroScene::loadMainMenuAtlas(int)
{
	return loadAtlases(mainMenuAtlases, std::size(mainMenuAtlases));
}

GIntroScene::StepProgress GIntroScene::loadGameMenuAtlas(int)
{
	return loadAtlases(gameMenuAtlases, std::size(gameMenuAtlases));
}

GIntroScene::StepProgress GIntroScene::loadMenuAtlases(int)
{
	return loadAtlases(menuAtlases, std::size(menuAtlases));
}

GIntroScene::StepProgress GIntroScene::loadInterfaceTemplates(int)
{
	const int file = fileIndex;
	const StepProgress ready = readySceneFile(interfaceFiles[file]);
	if (ready != StepProgress::Finished)
		return ready;
	if (file == 0)
		loadParticles(interfaceFiles[0]);
	else if (file == 1)
	{
		interfaceTemplates = loadTemplates(interfaceFiles[1]);
		if (interfaceTemplates && gGameApplication && gGameApplication->uiSceneManager)
			gGameApplication->uiSceneManager->setTemplateCollection(interfaceTemplates.get());
	}
	else
		addTemplatesOf(interfaceTemplates.get(), interfaceFiles[file]);
	if (++fileIndex < static_cast<int>(std::size(interfaceFiles)))
		return StepProgress::Advanced;
	fileIndex = 0;
	interfaceTemplates = nullptr;
	return StepProgress::Finished;
}

GIntroScene::StepProgress GIntroScene::loadLevelTemplates(int)
{
	const int file = fileIndex;
	constexpr int last = static_cast<int>(std::size(levelFiles)) - 1;
	const StepProgress ready = readySceneFile(levelFiles[file]);
	if (ready != StepProgress::Finished)
		return ready;
	if (file == 0)
	{
		levelTemplates = loadTemplates(levelFiles[0]);
		if (!levelTemplates || !gGameApplication || !gGameApplication->worldSceneManager)
		{
			levelTemplates = nullptr;
			return StepProgress::Finished;
		}
		gGameApplication->worldSceneManager->setTemplateCollection(levelTemplates.get());
	}
	else if (file < last)
	{
		SmartPointer<BaseNode> firework(contentManager()->getSceneNode(levelFiles[file], false));
		if (firework)
			levelTemplates->addTemplate(firework.get());
	}
	else
		addTemplatesOf(levelTemplates.get(), levelFiles[file]);
	if (file < last)
	{
		++fileIndex;
		return StepProgress::Advanced;
	}
	fileIndex = 0;
	levelTemplates = nullptr;
	return StepProgress::Finished;
}

GIntroScene::StepProgress GIntroScene::readySceneFile(const char* name)
{
	if (!isReadAhead(name))
		return StepProgress::Waiting;
	// The pictures the file loads, decoded ahead, become textures first, a band of rows a part: the file's
	// own load then only takes them.
	const std::vector<irr::core::stringc> pictures =
	    preloader ? preloader->getNamedPictures(name) : std::vector<irr::core::stringc>();
	for (; pictureIndex < pictures.size(); ++pictureIndex)
	{
		if (!isReadAhead(pictures[pictureIndex].c_str()))
			return StepProgress::Waiting;
		if (!uploadPreparedPicture(pictures[pictureIndex]))
			return StepProgress::Advanced;
	}
	if (!sceneFileReady)
	{
		// The file's load is a part of its own.
		sceneFileReady = true;
		nextHeavy = HeavyPart::WholeFile;
		return StepProgress::Advanced;
	}
	sceneFileReady = false;
	pictureIndex = 0;
	return StepProgress::Finished;
}

GIntroScene::StepProgress GIntroScene::loadLevelConfiguration(int part)
{
	const char* const* files = configurationFiles;
	if (!gGameApplication)
		return StepProgress::Finished;
	if (!isReadAhead(files[part]))
		return StepProgress::Waiting;
	if (part == 0)
		readXml(files[0], [](IXMLReader* reader) { gGameApplication->buildingsConfiguration->load(reader); });
	else if (part == 1)
		readXml(files[1], [](IXMLReader* reader) { gGameApplication->upgradesConfiguration->load(reader); });
	else
		readXml(files[2], [](IXMLReader* reader) { gGameApplication->levelScores->load(reader); });
	return part < 2 ? StepProgress::Advanced : StepProgress::Finished;
}

GIntroScene::StepProgress GIntroScene::loadComics(int)
{
	if (!gGameApplication)
		return StepProgress::Finished;
	if (!isReadAhead(ComicsConfigurationName))
		return StepProgress::Waiting;
	readXml(ComicsConfigurationName,
	        [](IXMLReader* reader) { gGameApplication->comicsConfiguration->load(reader); });
	return StepProgress::Finished;
}
