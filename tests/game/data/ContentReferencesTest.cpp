#include "../GameTestSupport.h"
#include "content/CDictionary.h"
#include "content/CXMLReader.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "content/PathUtils.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GUpgradesConfiguration.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <unistd.h>

// Everything the shipped content and the game code name by text: dictionary keys, templates, pictures,
// sounds, scenes and files. Each must exist in the built asset archive, or the player meets a raw %Key%,
// an empty sprite, a silent cue or a button without a look.
namespace
{
const char* const ArchiveKey = "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";

// Template names the code completes with a number from 1 to 5.
const std::string BuiltTemplatePrefixes[] = {"Game_MaterialsButton", "Game_WorkersButton"};

enum class Kind
{
	Text,
	UiTemplate,
	WorldTemplate,
	Picture,
	Sound,
	File,
	Building,
	Emitter,
};

const char* kindName(Kind kind)
{
	switch (kind)
	{
	case Kind::Text:
		return "text";
	case Kind::UiTemplate:
	case Kind::WorldTemplate:
		return "template";
	case Kind::Picture:
		return "picture";
	case Kind::Sound:
		return "sound";
	case Kind::File:
		return "file";
	case Kind::Building:
		return "building";
	case Kind::Emitter:
		return "particle emitter";
	}
	return "?";
}

std::string narrowText(const irr::core::stringw& text)
{
	return irr::core::stringc(text).c_str();
}

bool endsWith(const std::string& text, const std::string& end)
{
	return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool startsWith(const std::string& text, const std::string& start)
{
	return text.compare(0, start.size(), start) == 0;
}

// Every %Key% of a text (a doubled %% is a plain percent sign).
std::vector<std::string> tagsOf(const std::string& text)
{
	static const std::regex tag("%([A-Za-z][A-Za-z0-9_]*)%");
	std::vector<std::string> found;
	for (std::sregex_iterator i(text.begin(), text.end(), tag), end; i != end; ++i)
		found.push_back((*i)[1].str());
	return found;
}

std::vector<std::string> split(const std::string& text, char separator)
{
	std::vector<std::string> parts;
	std::stringstream stream(text);
	for (std::string part; std::getline(stream, part, separator);)
		if (!part.empty())
			parts.push_back(part);
	return parts;
}

// One name the content or the code uses, and where it stands.
struct Named
{
	Kind kind;
	std::string name;
	std::string where;
};

class ShippedContentReferences : public testing::Test
{
protected:
	void SetUp() override
	{
		const std::string path = binaryDir() + "/bin/assets.qca";
		if (access(path.c_str(), R_OK) != 0)
			GTEST_SKIP() << "the content set has not been built";
		files->setAssetsCryptKey(ArchiveKey);
		archive = files->addArchive(path.c_str(), false, false);
		ASSERT_NE(archive, nullptr);
		ASSERT_TRUE(dictionary->loadFile("strings/Dictionary.xml"));
		for (irr::u32 i = 0; i < archive->getFileCount(); ++i)
			shipped.insert(archive->getFileEntry(i)->storedName.c_str());
		SmartPointer<CXMLReader> reader(files->createXMLReader("levels/common/BuildingsConfiguration.xml"));
		ASSERT_TRUE(reader && buildings->load(reader.get()));
		reader.reset(files->createXMLReader("levels/common/UpgradesConfiguration.xml"));
		ASSERT_TRUE(reader && upgrades->load(reader.get()));
		indexWhatExists();
	}

	// ---- what exists

	void indexWhatExists()
	{
		for (const std::string& file : shipped)
			if (startsWith(file, "atlases/") && endsWith(file, ".xml"))
				readAtlas(file);
		for (const char* file : {"scenes/TemplateCollection.qscn", "scenes/MainMenuMovers.qscn",
		                         "scenes/MiniGameTemplates.qscn"})
			readTemplateNames(file, uiTemplates);
		for (const char* file : {"levels/common/TemplateCollection.qscn", "levels/common/Movers.qscn"})
			readTemplateNames(file, worldTemplates);
		for (int n = 1; n <= 4; ++n)
			readRootName("levels/common/Fireworks/" + std::to_string(n) + "/f.qscn", worldTemplates);
		readSoundPack();
		for (const std::string& file : shipped)
			if (endsWith(file, "ParticleCollection.xml"))
				readEmitters(file);
	}

	void readEmitters(const std::string& file)
	{
		SmartPointer<CXMLReader> reader = open(file);
		bool inEmitter = false;
		while (reader && reader->read())
		{
			if (reader->getNodeName() == irr::core::stringw(L"ParticleEmitter"))
				inEmitter = reader->getNodeType() == XML_NODE_ELEMENT;
			else if (inEmitter && reader->getNodeType() == XML_NODE_ELEMENT &&
			         irr::core::stringw(reader->getAttributeValue(L"Name")) == L"Name")
				emitters.insert(narrowText(reader->getAttributeValue(L"Value")));
		}
	}

	SmartPointer<CXMLReader> open(const std::string& file)
	{
		return SmartPointer<CXMLReader>(files->createXMLReader(file.c_str()));
	}

	void readAtlas(const std::string& file)
	{
		SmartPointer<CXMLReader> reader = open(file);
		while (reader && reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			if (reader->getNodeName() == irr::core::stringw(L"a"))
				frames.insert(narrowText(reader->getAttributeValue(L"n")));
			else if (reader->getNodeName() == irr::core::stringw(L"t"))
				name(Kind::File, flattenPath(file.c_str(), narrowText(reader->getAttributeValue(L"f")).c_str()).c_str(),
				     file);
		}
	}

	// The names of the root's direct children: the templates of a collection file.
	void readTemplateNames(const std::string& file, std::set<std::string>& into)
	{
		ASSERT_TRUE(shipped.count(file)) << file;
		SmartPointer<CXMLReader> reader = open(file);
		int depth = 0;
		bool wantName = false;
		while (reader && reader->read())
		{
			const irr::core::stringw element = reader->getNodeName();
			if (reader->getNodeType() == XML_NODE_ELEMENT && element == L"SceneNode")
			{
				++depth;
				wantName = depth == 2;
				if (reader->isEmptyElement())
					--depth;
			}
			else if (reader->getNodeType() == XML_NODE_ELEMENT_END && element == L"SceneNode")
				--depth;
			else if (wantName && reader->getNodeType() == XML_NODE_ELEMENT &&
			         irr::core::stringw(reader->getAttributeValue(L"Name")) == L"Name")
			{
				into.insert(narrowText(reader->getAttributeValue(L"Value")));
				wantName = false;
			}
		}
	}

	void readRootName(const std::string& file, std::set<std::string>& into)
	{
		SmartPointer<CXMLReader> reader = open(file);
		while (reader && reader->read())
			if (reader->getNodeType() == XML_NODE_ELEMENT &&
			    irr::core::stringw(reader->getAttributeValue(L"Name")) == L"Name")
			{
				into.insert(narrowText(reader->getAttributeValue(L"Value")));
				return;
			}
		ADD_FAILURE() << "missing file " << file;
	}

	void readSoundPack()
	{
		const std::string file = "sounds/SoundPack.xml";
		SmartPointer<CXMLReader> reader = open(file);
		ASSERT_TRUE(reader) << file;
		while (reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			if (reader->getNodeName() == irr::core::stringw(L"SoundCue"))
				cues.insert(narrowText(reader->getAttributeValue(L"Name")));
			else if (reader->getNodeName() == irr::core::stringw(L"Sound"))
				name(Kind::File, flattenPath(file.c_str(), narrowText(reader->getAttributeValue(L"Filename")).c_str()).c_str(),
				     file);
		}
	}

	bool exists(const Named& named) const
	{
		switch (named.kind)
		{
		case Kind::Text:
			return dictionary->hasText(named.name.c_str());
		case Kind::UiTemplate:
			return uiTemplates.count(named.name) != 0;
		case Kind::WorldTemplate:
			return worldTemplates.count(named.name) != 0;
		case Kind::Picture:
			return frames.count(named.name) != 0 || shipped.count(named.name) != 0;
		case Kind::Sound:
			return cues.count(named.name) != 0;
		case Kind::File:
			return shipped.count(named.name) != 0;
		case Kind::Building:
			return buildings->findBuilding(internStringId(named.name.c_str())) != nullptr;
		case Kind::Emitter:
			return emitters.count(named.name) != 0;
		}
		return false;
	}

	// ---- what is named

	void name(Kind kind, const std::string& what, const std::string& where) { named.push_back({kind, what, where}); }

	void nameTags(const std::string& text, const std::string& where)
	{
		for (const std::string& tag : tagsOf(text))
			name(Kind::Text, tag, where);
	}

	// Scenes under scenes/ and the mini-games live in the interface scene manager, the city levels in the world's.
	static Kind templateKindOf(const std::string& file)
	{
		return startsWith(file, "levels/") && !startsWith(file, "levels/minigame") ? Kind::WorldTemplate
		                                                                            : Kind::UiTemplate;
	}

	// A scene file: its texts, pictures, fonts, templates and the files its nodes read.
	void nameSceneReferences(const std::string& file)
	{
		SmartPointer<CXMLReader> reader = open(file);
		ASSERT_TRUE(reader) << file;
		while (reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			const irr::core::stringw type = reader->getNodeName();
			const std::string property = narrowText(reader->getAttributeValue(L"Name"));
			const std::string value = narrowText(reader->getAttributeValue(L"Value"));
			const std::string resolved = flattenPath(file.c_str(), value.c_str()).c_str();
			if (type == L"atlasTexture" && !value.empty())
				name(Kind::Picture, resolved, file);
			else if (type == L"font" && !value.empty())
				name(Kind::File, resolved, file);
			else if (type == L"string" && (property == "TemplateName" || property == "ObjTemplate") && !value.empty())
				for (const std::string& part : split(value, ';'))
					name(templateKindOf(file), part, file + " (" + property + ")");
			else if (type == L"string" && property == "ConfigurationFilename" && !value.empty())
				name(Kind::File, resolved, file);
			else if (type == L"string" && property == "EmitterName" && !value.empty())
				name(Kind::Emitter, value, file);
			else if (type == L"string" && property == "AssociatedLevelName" && !value.empty())
				nameLevelFolder(value, file + " (" + property + ")");
		}
	}

	// Any XML file: every %Key% in its attribute values and texts.
	void nameTagsOfFile(const std::string& file)
	{
		SmartPointer<CXMLReader> reader = open(file);
		ASSERT_TRUE(reader) << file;
		while (reader->read())
		{
			if (reader->getNodeType() == XML_NODE_TEXT)
				nameTags(narrowText(reader->getNodeData()), file);
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			for (int i = 0; i < reader->getAttributeCount(); ++i)
				nameTags(narrowText(reader->getAttributeValue(i)), file);
		}
	}

	// Tutorials and level configurations name buildings by record name: in their actions, objectives and
	// events, and in the list of what a level lets the player build.
	void nameBuildingsOf(const std::string& file)
	{
		SmartPointer<CXMLReader> reader = open(file);
		while (reader && reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			std::vector<std::string> lists;
			for (const wchar_t* attribute : {L"Buildings", L"BuildingTypes"})
				lists.push_back(narrowText(reader->getAttributeValue(attribute)));
			if (irr::core::stringw(reader->getAttributeValue(L"Name")) == L"AvailableBuildingsForBuild")
				lists.push_back(narrowText(reader->getAttributeValue(L"Value")));
			for (const std::string& list : lists)
				for (const std::string& building : split(list, ';'))
					name(Kind::Building, building, file);
		}
	}

	void nameComicsScenes()
	{
		const std::string file = "scenes/ComicsConfiguration.xml";
		SmartPointer<CXMLReader> reader = open(file);
		ASSERT_TRUE(reader) << file;
		while (reader->read())
			if (reader->getNodeType() == XML_NODE_ELEMENT)
				for (const wchar_t* attribute : {L"ScenePath", L"Scene", L"Value"})
				{
					const std::string value = narrowText(reader->getAttributeValue(attribute));
					if (endsWith(value, ".qscn"))
						name(Kind::File, value, file);
				}
	}

	void nameLogos()
	{
		const std::string file = "logos/Logos.xml";
		SmartPointer<CXMLReader> reader = open(file);
		ASSERT_TRUE(reader) << file;
		while (reader->read())
			if (reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == irr::core::stringw(L"Logo"))
				name(Kind::Picture, narrowText(reader->getAttributeValue(L"Image")), file);
	}

	// The building records: shown names, button looks, cues, previews and lock pictures.
	void nameBuildingReferences()
	{
		const std::string file = "levels/common/BuildingsConfiguration.xml";
		for (const auto& entry : buildings->getRecords())
		{
			const GBuildingType& record = *entry.second;
			const std::string recordName = getStringById(record.getName()).c_str();
			const std::string where = file + " (" + recordName + ")";
			name(Kind::Text, record.getDisplayName().c_str(), where);
			if (!record.getButtonTemplate().isEmpty())
				name(Kind::UiTemplate, getStringById(record.getButtonTemplate()).c_str(), where);
			for (StringId cue : {record.getBuiltSoundCueName(), record.getSelectedSoundCueName()})
				if (!cue.isEmpty())
					name(Kind::Sound, getStringById(cue).c_str(), where);
			for (const GBuildingFeature& feature : record.getFeatures())
				name(Kind::UiTemplate, getStringById(feature.getButtonName()).c_str(), where);
			// A second feature not bought yet shows its lock on the button.
			if (record.getFeatures().size() >= 2)
				name(Kind::Picture,
				     std::string("scenes/images/GameMenu/Buttons/") + record.getDisplayName().c_str() +
				         "Feature2ButtonLock.png",
				     where + " second feature");
			if (recordName != "BuildingPlace")
				for (const char* look : {"", "_snow"})
					name(Kind::Picture, "scenes/images/GameMenu/Icons/" + recordName + look + ".png", where + " preview");
		}
	}

	// The map's hint names each required upgrade and shows its icon.
	void nameUpgradeReferences()
	{
		for (const auto& entry : upgrades->getUpgrades())
		{
			const std::string upgrade = getStringById(entry.first).c_str();
			const std::string where = "levels/common/UpgradesConfiguration.xml (" + upgrade + ")";
			const int level = entry.second->getObligatoryLevel();
			if (level < 1 || level > 28)
				continue;
			name(Kind::Text, upgrade, where + " map hint");
			name(Kind::Picture, "scenes/images/Map/Icons/" + upgrade + ".png", where + " map hint");
		}
	}

	// What the level loader opens in a level's folder: a mini-game's configuration, or a city level's.
	void nameLevelFolder(const std::string& level, const std::string& where)
	{
		const std::string folder = "levels/" + level + "/";
		name(Kind::File, folder + "Level.qscn", where);
		if (level.rfind("minigame", 0) == 0)
			name(Kind::File, folder + "MiniGameConfiguration.xml", where);
		else
			for (const char* file : {"LevelConfiguration.xml", "LevelPaths.xml"})
				name(Kind::File, folder + file, where);
	}

	void nameLevelFiles()
	{
		for (int v = 1; v <= 28; ++v)
			nameLevelFolder("level" + std::to_string(v), "the level loader");
	}

	void nameBuiltLookUps()
	{
		const std::string code = "game code";
		for (const char* key : {"FishingCenterInProgress", "PyramidInProgress", "PyramidConfInProgress",
		                        "InProgress_Building", "InProgress_Upgrade", "InProgress_Destroy", "InProgress_Repare",
		                        "InProgress_Feature"})
		{
			name(Kind::Text, key, code + " (work texts)");
			name(Kind::Text, std::string(key) + "Hint", code + " (work texts)");
		}
		for (const char* key : {"TitleName", "MoneyDollar", "GuestsSign"})
			name(Kind::Text, key, code);
		for (int v = 1; v <= 4; ++v)
			name(Kind::Sound, "GameMusicSetting" + std::to_string(v), code + " (level music)");
		for (const char* cue : {"Building", "Upgrading", "Destroying", "CleaningDecoration", "FeatureFactory",
		                        "FeatureREAgency", "FeaturePRAgency", "Broken", "Dirty", "Bus"})
			name(Kind::Sound, cue, code + " (work sounds)");
		for (const char* cloud : {"Cloud1", "Cloud2", "Cloud3"})
			name(Kind::WorldTemplate, cloud, code + " (clouds)");
		// The icons a building's look may lack come from the level's templates.
		for (const char* icon : {"SmileIcon", "PhoneIcon", "ForSaleNode", "ServeArea"})
			name(Kind::WorldTemplate, icon, code + " (building icons)");
		for (const std::string& prefix : BuiltTemplatePrefixes)
			for (int n = 1; n <= 5; ++n)
				name(Kind::UiTemplate, prefix + std::to_string(n), code + " (order lists)");
		for (int i = 1; i <= 12; ++i)
			name(Kind::Picture, "scenes/images/Achievements/Icon" + std::to_string(i) + ".png", code + " (achievements)");
		for (const char* smile : {"Red.png", "Blue.png", "Green.png"})
			name(Kind::Picture, std::string("levels/common/Smiles/") + smile, code + " (smiles)");
		for (int n = 1; n <= 2; ++n)
		{
			const std::string tutorial = "scenes/MapTutorial" + std::to_string(n) + ".xml";
			name(Kind::File, tutorial, code + " (map tutorials)");
			name(Kind::File, "scenes/ShopTutorial" + std::to_string(n) + ".xml", code + " (shop tutorials)");
		}
	}

	// Literal look-ups in the sources of the game, found by the shape of the call.
	void nameCodeLiterals()
	{
		struct Pattern
		{
			const char* expression;
			Kind kind;
			const char* prefix;
			const char* suffix;
		};
		static const Pattern patterns[] = {
		    {R"re("%([A-Za-z]\w*)%")re", Kind::Text, "", ""},
		    {R"re("([A-Z][A-Za-z0-9]*_\w+)")re", Kind::Text, "", ""},
		    {R"re(\w*(?:[gG]etText|[fF]ormat|hasText)\(\s*"(\w+)")re", Kind::Text, "", ""},
		    {R"re((?:[gG]etText|[fF]ormat)\([^;"]*\?\s*"(\w+)"\s*:)re", Kind::Text, "", ""},
		    {R"re((?:[gG]etText|[fF]ormat)\([^;"]*\?\s*"\w+"\s*:\s*"(\w+)")re", Kind::Text, "", ""},
		    {R"re((?:playCue|playEffectCue|stopCue)\(\s*"(\w+)")re", Kind::Sound, "", ""},
		    {R"re(playCue\((?:nameId|internStringId)\("(\w+)")re", Kind::Sound, "", ""},
		    {R"re("(\w+ButtonLock)")re", Kind::Picture, "scenes/images/GameMenu/Buttons/", ".png"},
		    {R"re("((?:scenes|levels)/[\w/]+\.png)")re", Kind::Picture, "", ""},
		    {R"re("(particles/\w+\.png)")re", Kind::Picture, "", ""},
		    {R"re("((?:scenes|levels|sounds|strings|logos|atlases)/[\w/]+\.(?:qscn|xml))")re", Kind::File, "", ""},
		};
		// Templates: the level's code clones from the world's collection, every other screen from the interface's.
		static const char* const templateCalls[] = {
		    R"re(cloneTemplate\([^,]+,\s*"(\w+)")re",
		    R"re(findTemplate\((?:internStringId|processName|nameId)\("(\w+)"\))re",
		};
		static const std::regex templateConstant(R"re(Template\s*=\s*"(\w+)")re");
		const std::filesystem::path root = std::filesystem::path(sourceDir()) / "game";
		for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
		{
			const std::string path = entry.path().string();
			if (!entry.is_regular_file() || !(endsWith(path, ".cpp") || endsWith(path, ".h")))
				continue;
			std::ifstream stream(path);
			std::stringstream text;
			text << stream.rdbuf();
			const std::string source = text.str();
			const std::string where = path.substr(root.string().size() - 4);
			std::set<std::string> templateNames;
			for (std::sregex_iterator i(source.begin(), source.end(), templateConstant), end; i != end; ++i)
			{
				templateNames.insert((*i)[1].str());
				name(Kind::UiTemplate, (*i)[1].str(), where);
			}
			for (const Pattern& pattern : patterns)
			{
				const std::regex expression(pattern.expression);
				for (std::sregex_iterator i(source.begin(), source.end(), expression), end; i != end; ++i)
				{
					const std::string found = (*i)[1].str();
					// "Game_..." are the button templates, named below.
					if (pattern.kind == Kind::Text && (startsWith(found, "Game_") || templateNames.count(found)))
						continue;
					name(pattern.kind, pattern.prefix + found + pattern.suffix, where);
				}
			}
			const Kind templates = where.find("/level/") != std::string::npos ? Kind::WorldTemplate : Kind::UiTemplate;
			for (const char* call : templateCalls)
			{
				const std::regex expression(call);
				for (std::sregex_iterator i(source.begin(), source.end(), expression), end; i != end; ++i)
					name(templates, (*i)[1].str(), where);
			}
			static const std::regex buttonTemplate(R"re("(Game_\w+)")re");
			for (std::sregex_iterator i(source.begin(), source.end(), buttonTemplate), end; i != end; ++i)
				if (std::find(std::begin(BuiltTemplatePrefixes), std::end(BuiltTemplatePrefixes), (*i)[1].str()) ==
				    std::end(BuiltTemplatePrefixes))
					name(Kind::UiTemplate, (*i)[1].str(), where);
		}
	}

	// Every name of the content and the code, once each, with the first place it stands.
	void nameEverything()
	{
		for (const std::string& file : shipped)
		{
			if (endsWith(file, ".qscn"))
				nameSceneReferences(file);
			if ((endsWith(file, ".qscn") || endsWith(file, ".xml")) && file != "strings/Dictionary.xml" &&
			    !startsWith(file, "atlases/"))
				nameTagsOfFile(file);
			if (file.find("Tutorial") != std::string::npos || endsWith(file, "LevelConfiguration.xml"))
				nameBuildingsOf(file);
		}
		nameComicsScenes();
		nameLogos();
		nameBuildingReferences();
		nameUpgradeReferences();
		nameLevelFiles();
		nameBuiltLookUps();
		nameCodeLiterals();
	}

	// "kind name (where)" for each missing name, except those other branches add.
	std::vector<std::string> missing() const
	{
		std::map<std::string, std::string> lines;
		for (const Named& n : named)
		{
			const std::string key = std::string(kindName(n.kind)) + " " + n.name;
			if (exists(n) || lines.count(key))
				continue;
			lines[key] = n.where;
		}
		std::vector<std::string> out;
		for (const auto& line : lines)
			out.push_back(line.first + "  (named in " + line.second + ")");
		return out;
	}

	LogCapture log;
	SmartPointer<IFileSystem> files{createFileSystem()};
	IArchive* archive = nullptr;
	SmartPointer<CDictionary> dictionary{new CDictionary(files.get())};
	SmartPointer<GBuildingsConfiguration> buildings{new GBuildingsConfiguration()};
	SmartPointer<GUpgradesConfiguration> upgrades{new GUpgradesConfiguration()};
	std::set<std::string> shipped;
	std::set<std::string> frames;
	std::set<std::string> uiTemplates;
	std::set<std::string> worldTemplates;
	std::set<std::string> cues;
	std::set<std::string> emitters;
	std::vector<Named> named;
};

std::string joined(const std::vector<std::string>& lines)
{
	std::string text;
	for (const std::string& line : lines)
		text += "\n  " + line;
	return text;
}
} // namespace

TEST_F(ShippedContentReferences, EverythingNamedExists)
{
	nameEverything();
	EXPECT_GT(named.size(), 3000u) << "the walk found too little to be checking the shipped content";
	const std::vector<std::string> absent = missing();
	EXPECT_TRUE(absent.empty()) << absent.size() << " named but missing:" << joined(absent);
}

// The list of names other branches add must not hide something that exists already.
// What a text node of a shipped scene draws: its Text through the dictionary, never a raw %Key%.
TEST_F(ShippedContentReferences, NoSceneTextDrawsARawTag)
{
	std::vector<std::string> raw;
	for (const std::string& file : shipped)
	{
		if (!endsWith(file, ".qscn"))
			continue;
		SmartPointer<CXMLReader> reader = open(file);
		while (reader && reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT || reader->getNodeName() != irr::core::stringw(L"stringw"))
				continue;
			const irr::core::stringw drawn = dictionary->expandTags(reader->getAttributeValue(L"Value"));
			for (const std::string& tag : tagsOf(narrowText(drawn)))
				raw.push_back(file + ": %" + tag + "%");
		}
	}
	EXPECT_TRUE(raw.empty()) << joined(raw);
}
