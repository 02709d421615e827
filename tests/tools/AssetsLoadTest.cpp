#include "AssetsTestSupport.h"
#include "app/GameNodeClasses.h"
#include "content/CDictionary.h"
#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "content/PathUtils.h"
#include "core/TextUtils.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPaths.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "effects/GHOHintParticlesNode.h"
#include "effects/GWeatherParticlesNode.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "play/tutorial/GTutorial.h"
#include "scene/NodeFactory.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

namespace fs = std::filesystem;

// Every file of the built assets folder, loaded through the content manager by its type as the game
// loads it, without a warning and without a reference to a file that is not there.
namespace
{
// How a file of the assets folder is opened; the order is the loading order (atlases name the frames
// that scenes use, template collections the templates that scenes name).
enum class Kind
{
	Atlas,
	Font,
	Picture,
	Sound,
	SoundPack,
	Particles,
	Templates,
	Scene,
	Logos,
	Configuration,
	Unknown,
};

bool endsWith(const std::string& text, const std::string& tail)
{
	return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The level tutorials and the tutorials of the city map and the shop.
bool isTutorial(const std::string& name)
{
	return endsWith(name, "/Tutorial.xml") || name == "scenes/MapTutorial1.xml" || name == "scenes/MapTutorial2.xml" ||
	       name == "scenes/ShopTutorial1.xml" || name == "scenes/ShopTutorial2.xml";
}

// A tutorial read under a window of its own, as the screens read it; true when it reads to its end.
bool loadTutorial(IXMLReader* reader)
{
	SmartPointer<TemplateCollectionNode> templates(new TemplateCollectionNode());
	SmartPointer<BaseNode> window(new BaseNode());
	window->setName("TutorialWindow");
	templates->addTemplate(window.get());
	SmartPointer<BaseNode> parent(new BaseNode());
	SmartPointer<GTutorial> tutorial(new GTutorial(parent.get(), templates.get(), nullptr));
	return tutorial->load(reader, nullptr) && tutorial->getHintCount() > 0;
}

Kind kindOf(const std::string& name)
{
	if (name.rfind("atlases/", 0) == 0 && endsWith(name, ".xml"))
		return Kind::Atlas;
	if (endsWith(name, ".qfnt"))
		return Kind::Font;
	if (endsWith(name, ".png"))
		return Kind::Picture;
	if (endsWith(name, ".wav") || endsWith(name, ".ogg"))
		return Kind::Sound;
	if (name == "sounds/SoundPack.xml")
		return Kind::SoundPack;
	if (endsWith(name, "ParticleCollection.xml"))
		return Kind::Particles;
	if (endsWith(name, "TemplateCollection.qscn") || endsWith(name, "Movers.qscn") ||
	    name == "scenes/MiniGameTemplates.qscn")
		return Kind::Templates;
	if (endsWith(name, ".qscn"))
		return Kind::Scene;
	// Read by the logos scene through the file system: its pictures are named from the assets folder.
	if (name == "logos/Logos.xml")
		return Kind::Logos;
	// The game's configuration, read through the file system by the game's own readers.
	if (endsWith(name, std::string("/") + GLevelConfiguration::FileName) ||
	    endsWith(name, std::string("/") + GLevelPaths::FileName) || name == GLevelPaths::BackgroundTrafficFileName ||
	    name == "levels/common/BuildingsConfiguration.xml" || name == "levels/common/UpgradesConfiguration.xml" ||
	    name == GLevelScores::FileName || name == GComicsConfiguration::FileName || name == "strings/Dictionary.xml" ||
	    (name.rfind("levels/common/Effects/", 0) == 0 && endsWith(name, ".xml")) ||
	    endsWith(name, std::string("/") + GMiniGameScene::ConfigurationFileName) ||
	    isTutorial(name))
		return Kind::Configuration;
	return Kind::Unknown;
}

struct AssetFile
{
	std::string name;
	Kind kind;
};

std::vector<AssetFile> assetFiles()
{
	std::vector<AssetFile> files;
	const fs::path root(builtAssetsFolder());
	for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
		if (entry.is_regular_file())
		{
			const std::string name = fs::relative(entry.path(), root).generic_string();
			files.push_back({name, kindOf(name)});
		}
	std::sort(files.begin(), files.end(),
	          [](const AssetFile& a, const AssetFile& b)
	          { return a.kind != b.kind ? a.kind < b.kind : a.name < b.name; });
	return files;
}

// What a file names: other files (relative to it, or to the assets folder), atlas frames, node classes
// and templates.
struct References
{
	struct Name
	{
		std::string path;
		bool frameAllowed;
	};
	std::vector<Name> files;
	std::set<std::string> nodeClasses;
	std::set<std::string> templates;
};

References referencesOf(const AssetFile& file)
{
	References found;
	SmartPointer<CReadFile> input(new CReadFile((builtAssetsFolder() + "/" + file.name).c_str()));
	if (!input->isOpen())
		return found;
	SmartPointer<CXMLReader> reader(new CXMLReader(input.get()));
	const irr::core::stringc base(file.name.c_str());
	auto relative = [&](const irr::core::stringw& value, bool frameAllowed)
	{
		if (value.size() > 0)
			found.files.push_back({flattenPath(base, narrow(value)).c_str(), frameAllowed});
	};
	while (reader->read())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& element = reader->getNodeName();
		// Content-reference values of scene, state and particle files.
		if (element == L"atlasTexture")
			relative(reader->getAttributeValue(L"Value"), true);
		else if (element == L"font" || element == L"sound")
			relative(reader->getAttributeValue(L"Value"), false);
		else if (element == L"string" && reader->getAttributeValue(L"Name") == L"TemplateName")
			found.templates.insert(narrow(reader->getAttributeValue(L"Value")).c_str());
		else if (element == L"SceneNode")
		{
			relative(reader->getAttributeValue(L"File"), false);
			const irr::core::stringw& type = reader->getAttributeValue(L"Type");
			if (type.size() > 0)
				found.nodeClasses.insert(narrow(type).c_str());
		}
		else if (file.kind == Kind::Atlas && element == L"t")
			relative(reader->getAttributeValue(L"f"), false);
		else if (file.kind == Kind::Font && element == L"Texture")
			relative(reader->getAttributeValue(L"Filename"), false);
		else if (file.kind == Kind::SoundPack && element == L"Sound")
			relative(reader->getAttributeValue(L"Filename"), false);
		else if (file.kind == Kind::Logos && reader->getAttributeValue(L"Image").size() > 0)
			found.files.push_back({narrow(reader->getAttributeValue(L"Image")).c_str(), false});
	}
	return found;
}

// Reads a configuration file with the reader the game gives it; false when it does not read to its end.
bool loadConfiguration(const std::string& name)
{
	SmartPointer<CReadFile> input(new CReadFile((builtAssetsFolder() + "/" + name).c_str()));
	SmartPointer<CXMLReader> reader(new CXMLReader(input.get()));
	if (endsWith(name, GLevelConfiguration::FileName))
		return SmartPointer<GLevelConfiguration>(new GLevelConfiguration())->load(reader.get());
	if (endsWith(name, GLevelPaths::FileName) || name == GLevelPaths::BackgroundTrafficFileName)
		return SmartPointer<GLevelPaths>(new GLevelPaths())->load(reader.get());
	if (name == "levels/common/BuildingsConfiguration.xml")
		return SmartPointer<GBuildingsConfiguration>(new GBuildingsConfiguration())->load(reader.get());
	if (name == "levels/common/UpgradesConfiguration.xml")
		return SmartPointer<GUpgradesConfiguration>(new GUpgradesConfiguration())->load(reader.get());
	if (name == GLevelScores::FileName)
		return SmartPointer<GLevelScores>(new GLevelScores())->load(reader.get());
	if (endsWith(name, GMiniGameScene::ConfigurationFileName))
	{
		SmartPointer<GMiniGameHidden2Scene> game(new GMiniGameHidden2Scene());
		return game->parseConfiguration(reader.get());
	}
	if (name == GComicsConfiguration::FileName)
		return SmartPointer<GComicsConfiguration>(new GComicsConfiguration())->load(reader.get());
	// The weather and hint particle files, read by their nodes.
	if (name.rfind("levels/common/Effects/", 0) == 0)
	{
		SmartPointer<GWeatherParticlesNode> weather(new GWeatherParticlesNode());
		if (weather->readConfiguration(reader.get()))
			return weather->getPPS() > 0;
		SmartPointer<CReadFile> again(new CReadFile((builtAssetsFolder() + "/" + name).c_str()));
		SmartPointer<CXMLReader> hintReader(new CXMLReader(again.get()));
		SmartPointer<GHOHintParticlesNode> hint(new GHOHintParticlesNode());
		return hint->readConfiguration(hintReader.get()) && hint->getPPS() > 0;
	}
	if (isTutorial(name))
		return loadTutorial(reader.get());
	if (name == "strings/Dictionary.xml")
	{
		SmartPointer<CDictionary> dictionary(new CDictionary());
		dictionary->load(reader.get());
		return dictionary->getTextCount() > 0;
	}
	return false;
}

ContentType contentTypeOf(Kind kind)
{
	switch (kind)
	{
	case Kind::Atlas:
		return ContentTypeAtlasTextureCollection;
	case Kind::Font:
		return ContentTypeFont;
	case Kind::Picture:
		return ContentTypeTexture;
	case Kind::Sound:
		return ContentTypeSound;
	case Kind::SoundPack:
		return ContentTypeSoundPack;
	case Kind::Particles:
		return ContentTypeParticleCollection;
	case Kind::Templates:
	case Kind::Scene:
		return ContentTypeSceneNode;
	default:
		return 0;
	}
}

class AssetsLoadTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		if (!assets.device)
			GTEST_SKIP() << "no device";
		if (!assets.device->getAudioDevice())
			GTEST_SKIP() << "OpenAL could not open its null output";
		ASSERT_TRUE(assets.folder) << builtAssetsFolder();
		// Scene files name the game's classes; they are made as the game makes them.
		registerApplicationNodeClasses();
		registerGameNodeClasses();
	}

	bool knownFrame(const std::string& name) const
	{
		return assets.manager->findCachedContent(ContentTypeAtlasTexture, ContentRef(assets.manager, name.c_str())) !=
		       nullptr;
	}

	MountedAssets assets{0};
};
} // namespace

TEST_F(AssetsLoadTest, EveryFileLoadsWithoutWarningsAndEveryReferenceExists)
{
	LogCapture log;
	std::vector<SmartPointer<ContentObject>> loaded;
	std::vector<std::pair<std::string, References>> referenced;
	std::set<std::string> templateNames;
	const std::vector<AssetFile> files = assetFiles();
	ASSERT_FALSE(files.empty());
	for (const AssetFile& file : files)
	{
		ASSERT_NE(file.kind, Kind::Unknown) << file.name << ": no loader for this file";
		referenced.emplace_back(file.name, referencesOf(file));
		if (file.kind == Kind::Logos)
			continue;
		if (file.kind == Kind::Configuration)
		{
			EXPECT_TRUE(loadConfiguration(file.name)) << file.name;
			continue;
		}
		SmartPointer<ContentObject> content = assets.load<ContentObject>(contentTypeOf(file.kind), file.name);
		EXPECT_TRUE(content) << file.name;
		if (auto* collection = dynamic_cast<TemplateCollectionNode*>(content.get()))
			for (irr::u32 i = 0; i < collection->getChildren().size(); ++i)
				templateNames.insert(getStringById(collection->getChildren()[i]->getName()).c_str());
		loaded.push_back(content);
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();

	for (const auto& [name, references] : referenced)
	{
		for (const References::Name& target : references.files)
		{
			const bool exists = fs::is_regular_file(builtAssetsFolder() + "/" + target.path) ||
			                    (target.frameAllowed && knownFrame(target.path));
			EXPECT_TRUE(exists) << name << " names " << target.path << ", which is missing";
		}
		for (const std::string& type : references.nodeClasses)
		{
			SmartPointer<BaseNode> node(NodeFactory::instance()->createNode(widen(type.c_str()), ContentRef()));
			EXPECT_TRUE(node) << name << " names the unknown node class " << type;
		}
		for (const std::string& templateName : references.templates)
			EXPECT_TRUE(templateNames.count(templateName)) << name << " names the missing template " << templateName;
	}
}
