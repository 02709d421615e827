#include "GIntroScene.h"

#include "app/GGameApplication.h"
#include "app/GameNodeClasses.h"
#include "audio/SoundPack.h"
#include "core/ILogger.h"
#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/ContentType.h"
#include "content/IFileSystem.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"

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

GIntroScene::~GIntroScene() = default;

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

bool GIntroScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	GBaseSceneNode::onSceneChangeFinished(event);
	if (event->newScene == this)
		stepTimer = 0;
	return false;
}

bool GIntroScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	stepTimer += static_cast<int>(elapsed);
	if (stepTimer > StepInterval)
	{
		stepTimer = 0;
		if (stepIndex < StepCount)
		{
			const LoadingStep& step = loadingSteps[stepIndex];
			(this->*step.run)();
			target += step.weight;
			++stepIndex;
		}
		else if (displayed == target && openScene(MainMenuSceneName, false, nameIdNavFrom(), nameIdNavTo()))
		{
			setScheduler(nullptr);
		}
	}
	animateProgress();
	return true;
}

void GIntroScene::animateProgress()
{
	if (total == 0.0f || displayed == target)
		return;
	displayed += total / 50.0f;
	if (displayed > target)
		displayed = target;
	if (!progressBackground || !progressBar)
		return;
	irr::core::vector3df bounds = progressBackground->getBounds();
	bounds.X *= displayed / total;
	progressBar->setBounds(bounds);
	progressBar->updateAbsoluteTransform();
}

// ---- loading steps

void GIntroScene::loadAtlas(const char* name)
{
	keepContent(ContentTypeAtlasTextureCollection, name, loadedAtlases);
}

void GIntroScene::loadParticles(const char* name)
{
	keepContent(ContentTypeParticleCollection, name, loadedParticleCollections);
}

void GIntroScene::registerClasses()
{
	registerGameNodeClasses();
}

void GIntroScene::loadSoundPack()
{
	CContentManager* content = contentManager();
	SmartPointer<ContentObject> loaded(
	    content ? content->getContent(ContentTypeSoundPack, "sounds/SoundPack.xml", false) : nullptr);
	auto* pack = dynamic_cast<SoundPack*>(loaded.get());
	if (!pack)
		getLogger()->log("The sound pack of the loading steps does not load; the game is silent", "sounds/SoundPack.xml", 1);
	if (pack && getDevice()->getSoundManager())
		pack->registerCues(getDevice()->getSoundManager());
}

void GIntroScene::loadBuildingsAtlas()
{
	loadAtlas("atlases/Buildings.xml");
}

void GIntroScene::loadEnvironmentAtlases()
{
	loadAtlas("atlases/Env1.xml");
	loadAtlas("atlases/Env2.xml");
	loadAtlas("atlases/Districts.xml");
	// Life in the city: the weather particles and the pictures of the movers, balloons and fireworks.
	loadAtlas("atlases/Effects.xml");
	loadAtlas("atlases/Movers.xml");
}

void GIntroScene::loadMiniGameAtlases()
{
	for (const char* name :
	     {"atlases/Minigame1.xml", "atlases/Minigame2.xml", "atlases/Minigame3.xml", "atlases/Minigame4.xml"})
		loadAtlas(name);
}

void GIntroScene::loadMainMenuAtlas()
{
	loadAtlas("atlases/MainMenu.xml");
}

void GIntroScene::loadGameMenuAtlas()
{
	loadAtlas("atlases/GameMenu.xml");
}

void GIntroScene::loadMenuAtlases()
{
	// The map's upgrade icons. The shop and the objectives popup draw from the main menu's atlas: they have none
	// of their own.
	loadAtlas("atlases/MapMenu.xml");
}

void GIntroScene::loadInterfaceTemplates()
{
	// The emitters the mini-games' hint trails name. The city levels name none, so the level step loads no
	// particle collection.
	loadParticles("scenes/ParticleCollection.xml");
	SmartPointer<TemplateCollectionNode> templates = loadTemplates("scenes/TemplateCollection.qscn");
	if (templates && gGameApplication && gGameApplication->uiSceneManager)
		gGameApplication->uiSceneManager->setTemplateCollection(templates.get());
	addTemplatesOf(templates.get(), "scenes/MainMenuMovers.qscn");
	addTemplatesOf(templates.get(), "scenes/MiniGameTemplates.qscn");
}

void GIntroScene::loadLevelTemplates()
{
	SmartPointer<TemplateCollectionNode> templates = loadTemplates("levels/common/TemplateCollection.qscn");
	if (!templates || !gGameApplication || !gGameApplication->worldSceneManager)
		return;
	gGameApplication->worldSceneManager->setTemplateCollection(templates.get());
	CContentManager* content = contentManager();
	for (const char* name : {"levels/common/Fireworks/1/f.qscn", "levels/common/Fireworks/2/f.qscn",
	                         "levels/common/Fireworks/3/f.qscn", "levels/common/Fireworks/4/f.qscn"})
	{
		SmartPointer<BaseNode> firework(content->getSceneNode(name, false));
		if (firework)
			templates->addTemplate(firework.get());
	}
	addTemplatesOf(templates.get(), "levels/common/Movers.qscn");
}

void GIntroScene::loadLevelConfiguration()
{
	if (!gGameApplication)
		return;
	readXml("levels/common/BuildingsConfiguration.xml",
	        [](IXMLReader* reader) { gGameApplication->buildingsConfiguration->load(reader); });
	readXml("levels/common/UpgradesConfiguration.xml",
	        [](IXMLReader* reader) { gGameApplication->upgradesConfiguration->load(reader); });
	readXml(GLevelScores::FileName, [](IXMLReader* reader) { gGameApplication->levelScores->load(reader); });
}

void GIntroScene::loadComics()
{
	if (!gGameApplication)
		return;
	readXml("scenes/ComicsConfiguration.xml",
	        [](IXMLReader* reader) { gGameApplication->comicsConfiguration->load(reader); });
}
