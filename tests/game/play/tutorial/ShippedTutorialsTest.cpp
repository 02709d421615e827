#include "TutorialTestSupport.h"
#include "content/CDictionary.h"
#include "game/GameTestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace tutorialtest;

namespace
{
std::string shippedFile(const std::string& name)
{
	std::ifstream in(sourceDir() + "/assets/" + name);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}

// The map's and the shop's tutorials and every level's, a level's own tutorial or its tips.
std::vector<std::string> shippedTutorials()
{
	std::vector<std::string> files = {"scenes/MapTutorial1.xml", "scenes/MapTutorial2.xml", "scenes/ShopTutorial1.xml",
	                                  "scenes/ShopTutorial2.xml"};
	for (int level = 1; level <= 28; ++level)
	{
		const std::string file = "levels/level" + std::to_string(level) + "/Tutorial.xml";
		if (std::filesystem::exists(sourceDir() + "/assets/" + file))
			files.push_back(file);
	}
	return files;
}
} // namespace

// Every shipped tutorial reads to its end, names only action types that exist, shows only texts the
// dictionary has and, in a level, waits only for buildings that exist.
TEST(ShippedTutorials, KnownActionsTextsAndBuildings)
{
	const std::string dictionaryXml = shippedFile("strings/Dictionary.xml");
	SmartPointer<CXMLReader> dictionaryReader(new CXMLReader(dictionaryXml.data(), dictionaryXml.size()));
	SmartPointer<CDictionary> dictionary(new CDictionary());
	dictionary->load(dictionaryReader.get());
	SmartPointer<GBuildingsConfiguration> records = []
	{
		const std::string xml = shippedFile("levels/common/BuildingsConfiguration.xml");
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		SmartPointer<GBuildingsConfiguration> read(new GBuildingsConfiguration());
		read->load(reader.get());
		return read;
	}();
	for (const char* key : {"GamePlay_SkipTutorialBtn", "GamePlay_SkipTipsBtn"})
		EXPECT_TRUE(dictionary->hasText(key)) << key;

	for (const std::string& file : shippedTutorials())
	{
		const std::string xml = shippedFile(file);
		ASSERT_FALSE(xml.empty()) << file;
		TutorialRig rig(
		    xml.substr(xml.find("<Tutorial>") + 10, xml.rfind("</Tutorial>") - xml.find("<Tutorial>") - 10));
		EXPECT_TRUE(rig.loaded) << file;
		EXPECT_GT(rig.tutorial->getHintCount(), 0) << file;

		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		while (reader->read())
		{
			if (reader->getNodeType() != XML_NODE_ELEMENT)
				continue;
			const irr::core::stringw& name = reader->getNodeName();
			if (name == L"Action")
			{
				EXPECT_TRUE(
				    SmartPointer<GTutorialAction>(GTutorialHint::createAction(reader->getAttributeValue(L"Type"))))
				    << file << ": " << narrow(reader->getAttributeValue(L"Type")).c_str();
				for (const wchar_t* attribute : {L"BuildingTypes", L"Buildings"})
				{
					const irr::core::array<StringId> types = GTutorialAction::readIds(reader.get(), attribute);
					for (irr::u32 i = 0; i < types.size(); ++i)
						EXPECT_TRUE(records->findBuilding(types[i])) << file << ": " << getStringById(types[i]).c_str();
				}
			}
			if (name == L"Text")
			{
				irr::core::stringc text = narrow(reader->getAttributeValue(L"Value"));
				ASSERT_TRUE(text.size() > 2 && text[0] == '%' && text[text.size() - 1] == '%')
				    << file << ": " << text.c_str();
				EXPECT_TRUE(dictionary->hasText(text.subString(1, text.size() - 2))) << file << ": " << text.c_str();
			}
		}
	}
}

// Past the first two levels the player meets tips only: where a district or a building line is met first,
// and there are such levels in every district.
TEST(ShippedTutorials, LaterLevelsCarryTipsWhereSomethingIsMetFirst)
{
	std::vector<int> districtsWithTips(4, 0);
	for (const std::string& file : shippedTutorials())
	{
		if (file.rfind("levels/", 0) != 0 || file == "levels/level1/Tutorial.xml" ||
		    file == "levels/level2/Tutorial.xml")
			continue;
		const int level = std::stoi(file.substr(std::string("levels/level").size()));
		const std::string xml = shippedFile(file);
		TutorialRig rig(
		    xml.substr(xml.find("<Tutorial>") + 10, xml.rfind("</Tutorial>") - xml.find("<Tutorial>") - 10));
		rig.tutorial->disableTips();
		rig.tutorial->start();
		EXPECT_FALSE(rig.tutorial->update(0)) << file << " holds a hint that is not a tip";
		++districtsWithTips[static_cast<size_t>((level - 1) / 7)];
	}
	for (const char* level : {"3", "8", "15", "22"})
		EXPECT_TRUE(std::filesystem::exists(sourceDir() + "/assets/levels/level" + level + "/Tutorial.xml")) << level;
	for (size_t district = 0; district < districtsWithTips.size(); ++district)
		EXPECT_GE(districtsWithTips[district], 3) << "district " << district + 1;
}
