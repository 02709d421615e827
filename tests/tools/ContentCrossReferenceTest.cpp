#include "AssetsTestSupport.h"
#include "app/GameNodeClasses.h"
#include "content/CXMLReader.h"
#include "core/TextUtils.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

// The names one shipped file gives to another: building records, their looks and buttons, and the
// buildings the levels' objectives and requests aim at.
namespace
{
namespace fs = std::filesystem;

std::string nameOf(StringId id)
{
	return getStringById(id).c_str();
}

class ContentCrossReference : public testing::Test
{
protected:
	void SetUp() override
	{
		if (!assets.device || !assets.folder)
			GTEST_SKIP() << "no device or no built assets";
		registerApplicationNodeClasses();
		registerGameNodeClasses();
		SmartPointer<CXMLReader> reader(files()->createXMLReader("levels/common/BuildingsConfiguration.xml"));
		ASSERT_TRUE(reader);
		ASSERT_TRUE(buildings->load(reader.get()));
	}

	IFileSystem* files() const { return assets.device->getFileSystem(); }

	// The names of the templates in a template collection file.
	std::set<std::string> templatesOf(const char* file)
	{
		std::set<std::string> names;
		SmartPointer<TemplateCollectionNode> collection =
		    assets.load<TemplateCollectionNode>(ContentTypeSceneNode, file);
		EXPECT_TRUE(collection) << file;
		if (collection)
			for (irr::u32 i = 0; i < collection->getChildren().size(); ++i)
				names.insert(nameOf(collection->getChildren()[i]->getName()));
		return names;
	}

	// Every "BuildingTypes" list of the file's elements, by the element's Type attribute.
	std::multimap<std::string, std::string> buildingTypesIn(const std::string& file)
	{
		std::multimap<std::string, std::string> named;
		SmartPointer<CXMLReader> reader(files()->createXMLReader(file.c_str()));
		EXPECT_TRUE(reader) << file;
		while (reader && reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			const irr::core::stringc types = narrow(reader->getAttributeValue(L"BuildingTypes"));
			const irr::core::array<StringId> ids = splitToIds(types.c_str());
			for (irr::u32 i = 0; i < ids.size(); ++i)
				named.emplace(narrow(reader->getAttributeValue(L"Type")).c_str(), nameOf(ids[i]));
		}
		return named;
	}

	MountedAssets assets{0};
	SmartPointer<GBuildingsConfiguration> buildings{new GBuildingsConfiguration()};
	LogCapture log;
};
} // namespace

TEST_F(ContentCrossReference, EveryRecordHasItsLookAndItsBuildButton)
{
	const std::set<std::string> looks = templatesOf("levels/common/TemplateCollection.qscn");
	const std::set<std::string> controls = templatesOf("scenes/TemplateCollection.qscn");
	for (const auto& entry : buildings->getRecords())
	{
		const GBuildingType& record = *entry.second;
		const std::string name = nameOf(record.getName());
		EXPECT_TRUE(looks.count(name)) << name << " has no look in the level templates";
		if (!record.getButtonTemplate().isEmpty())
			EXPECT_TRUE(controls.count(nameOf(record.getButtonTemplate())))
			    << name << " names the missing button " << nameOf(record.getButtonTemplate());
		if (!record.isTopOfLine())
			EXPECT_TRUE(buildings->findBuilding(record.getNextLevelName())) << name << " leads nowhere";
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

// Objectives and requests name records; the requests only reach buildings that can take them.
TEST_F(ContentCrossReference, LevelsAimAtRecordsThatCanTakeTheirRequests)
{
	int levels = 0;
	for (const auto& folder : fs::directory_iterator(builtAssetsFolder() + "/levels"))
	{
		const std::string file = "levels/" + folder.path().filename().string() + "/LevelConfiguration.xml";
		if (!fs::is_regular_file(builtAssetsFolder() + "/" + file))
			continue;
		++levels;
		// The player can build from the start: some places are theirs.
		const std::string scene = builtAssetsFolder() + "/levels/" + folder.path().filename().string() + "/Level.qscn";
		std::ifstream text(scene);
		const std::string content((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
		EXPECT_NE(content.find("\"IsOwnedByThePlayer\" Value=\"true\""), std::string::npos) << scene;
		for (const auto& [type, name] : buildingTypesIn(file))
		{
			SmartPointer<GBuildingType> record = buildings->findBuilding(internStringId(name.c_str()));
			ASSERT_TRUE(record) << file << ": " << type << " names the unknown building " << name;
			if (type.find("DirtyBuildingRequest") != std::string::npos)
				EXPECT_EQ(record->getType(), 2) << file << ": only decorations get dirty, not " << name;
			if (type.find("BrokenBuildingRequest") != std::string::npos)
				EXPECT_EQ(record->getType(), 0) << file << ": only hotels break, not " << name;
		}
	}
	EXPECT_GE(levels, 2);
}
