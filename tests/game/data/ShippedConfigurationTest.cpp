#include "../GameTestSupport.h"
#include "DataTestSupport.h"
#include "content/CDictionary.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GUpgradeEffects.h"
#include "data/GUpgradesConfiguration.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

// The buildings and upgrades configuration as the game ships them: read from the built asset archive
// (not the loose files) through a file system, and checked against the plan in docs/GameDesign.md.
namespace
{
const char* const ArchiveKey = "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";

// The build-list lines of the play screen, hotels, factories and joys.
const char* const BuildListLines[] = {"Camping1", "Hostel1",      "GuestHouse1", "BusinessHotel1", "HotelN51",
                                      "HotelN61", "TruckStation", "REAgency",    "PRAgency",       "Cafe",
                                      "CityMall", "AquaPark",     "Statue",      "Garden",         "Memorial"};
// The upgrades the shop and the achievements name.
const char* const ShopUpgrades[] = {"Camping",
                                    "Hostel",
                                    "GuestHouse",
                                    "BusinessHotel",
                                    "HotelN5",
                                    "HotelN6",
                                    "Cafe",
                                    "CityMall",
                                    "AquaPark",
                                    "Statue",
                                    "Garden",
                                    "Memorial",
                                    "TruckStation",
                                    "REAgency",
                                    "PRAgency",
                                    "AquaParkFeature2",
                                    "TruckStationFeature2",
                                    "REAgencyFeature2"};

std::string nameOf(StringId id)
{
	return getStringById(id).c_str();
}

class ShippedConfiguration : public testing::Test
{
protected:
	void SetUp() override
	{
		const std::string archive = binaryDir() + "/bin/assets.qca";
		if (access(archive.c_str(), R_OK) != 0)
			GTEST_SKIP() << "the content set has not been built";
		files.reset(createFileSystem());
		files->setAssetsCryptKey(ArchiveKey);
		ASSERT_NE(files->addArchive(archive.c_str(), false, false), nullptr);

		SmartPointer<CXMLReader> reader(files->createXMLReader("levels/common/BuildingsConfiguration.xml"));
		ASSERT_TRUE(reader);
		ASSERT_TRUE(buildings->load(reader.get()));
		reader.reset(files->createXMLReader("levels/common/UpgradesConfiguration.xml"));
		ASSERT_TRUE(reader);
		ASSERT_TRUE(upgrades->load(reader.get()));
	}

	SmartPointer<GBuildingType> record(const char* name) const { return buildings->findBuilding(internStringId(name)); }

	LogCapture log;
	SmartPointer<IFileSystem> files;
	SmartPointer<GBuildingsConfiguration> buildings{new GBuildingsConfiguration()};
	SmartPointer<GUpgradesConfiguration> upgrades{new GUpgradesConfiguration()};
};
} // namespace

TEST_F(ShippedConfiguration, LoadsFromTheArchiveWithoutAWarning)
{
	EXPECT_EQ(buildings->getRecords().size(), 37u);
	EXPECT_EQ(upgrades->getUpgrades().size(), 18u);
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST_F(ShippedConfiguration, EveryLineTheScreensNameStartsAtLevelOneWithItsButton)
{
	for (const char* line : BuildListLines)
	{
		SmartPointer<GBuildingType> first = record(line);
		ASSERT_TRUE(first) << line;
		EXPECT_EQ(first->getLevel(), 1) << line;
		EXPECT_FALSE(first->getDisplayName().empty()) << line;
		EXPECT_EQ(nameOf(first->getButtonTemplate()), "Game_" + std::string(first->getDisplayName().c_str()) + "Button")
		    << line;
	}
	SmartPointer<GBuildingType> place = record("BuildingPlace");
	ASSERT_TRUE(place);
	EXPECT_EQ(place->getLevel(), 0);
	EXPECT_GT(place->getSellPrice(), 0.0f);
}

// Each level leads to the next of the same line, and only hotels climb.
TEST_F(ShippedConfiguration, LinesChainLevelByLevel)
{
	for (const auto& entry : buildings->getRecords())
	{
		const GBuildingType& r = *entry.second;
		const std::string name = nameOf(r.getName());
		EXPECT_GT(r.getCost() + r.getSellPrice(), 0.0f) << name;
		if (r.isTopOfLine())
			continue;
		SmartPointer<GBuildingType> next = buildings->findBuilding(r.getNextLevelName());
		ASSERT_TRUE(next) << name << " leads to " << nameOf(r.getNextLevelName());
		EXPECT_EQ(r.getType(), 0) << name;
		EXPECT_EQ(next->getType(), r.getType()) << name;
		EXPECT_EQ(next->getLevel(), r.getLevel() + 1) << name;
		EXPECT_EQ(next->getDisplayName(), r.getDisplayName()) << name;
		EXPECT_GT(next->getGuestsCount(nullptr), r.getGuestsCount(nullptr)) << name;
		EXPECT_GT(next->getSellPrice(), r.getSellPrice()) << name;
	}
}

// The design's pace: a new hotel pays back in 5 days, an upgrade in 4.5 (materials at $100).
TEST_F(ShippedConfiguration, HotelsPayBackInAFewGameDays)
{
	for (const auto& entry : buildings->getRecords())
	{
		const GBuildingType& r = *entry.second;
		if (r.getType() != 0 || r.getLevel() != 1)
			continue;
		float income = 0.0f;
		for (SmartPointer<GBuildingType> level = entry.second; level;
		     level = level->isTopOfLine() ? nullptr : buildings->findBuilding(level->getNextLevelName()))
		{
			const float spent = level->getCost() + 100.0f * level->getBuildMaterialsCost(nullptr);
			const float days = spent / (level->getIncome() - income);
			EXPECT_GE(days, 4.0f) << nameOf(level->getName());
			EXPECT_LE(days, 5.5f) << nameOf(level->getName());
			income = level->getIncome();
		}
	}
}

TEST_F(ShippedConfiguration, KindsKeepTheirRoles)
{
	for (const auto& entry : buildings->getRecords())
	{
		const GBuildingType& r = *entry.second;
		const std::string name = nameOf(r.getName());
		if (r.getType() == 0 && r.getLevel() > 0)
			EXPECT_GT(r.getGuestsCount(nullptr), 0) << name;
		// A decoration that gets dirty must show its clean button: a positive bonus.
		if (r.getType() == 2)
			EXPECT_GT(r.getServeAreaIncomeBonus(0, 0), 0.0f) << name;
		// A joy that serves guests needs an area and an income per guest.
		if (r.getServeIncome() > 0.0f)
			EXPECT_GT(r.getServeArea().X * r.getServeArea().Y, 0.0f) << name;
		for (const GBuildingFeature& feature : r.getFeatures())
		{
			EXPECT_FALSE(getStringById(feature.getButtonName()).empty()) << name;
			EXPECT_GE(feature.getRechargeTime(), feature.getDurationTime()) << name;
			if (feature.hasEffect(internStringId("BoostIncome")))
				EXPECT_GT(r.getServeBoostedIncome(), 0.0f) << name;
		}
	}
}

TEST_F(ShippedConfiguration, UpgradesUnlockWhatExists)
{
	for (const char* name : ShopUpgrades)
		EXPECT_TRUE(upgrades->findUpgrade(internStringId(name))) << name;
	std::set<std::string> unlocked;
	for (const auto& entry : upgrades->getUpgrades())
	{
		const GUpgrade& u = *entry.second;
		const std::string name = nameOf(u.getName());
		EXPECT_GE(u.getPrice(), 0) << name;
		if (u.getObligatoryLevel() != -1)
			EXPECT_GT(u.getObligatoryLevel(), u.getLevel()) << name;
		for (StringId building : u.getAllowedBuildings())
		{
			EXPECT_TRUE(buildings->findBuilding(building)) << name << " unlocks " << nameOf(building);
			unlocked.insert(nameOf(building));
		}
		for (const GAllowedFeature& feature : u.getAllowedFeatures())
		{
			SmartPointer<GBuildingType> building = buildings->findBuilding(feature.building);
			ASSERT_TRUE(building) << name;
			EXPECT_TRUE(building->getFeature(feature.featureIndex)) << name;
			EXPECT_GT(feature.featureIndex, 0) << name;
		}
	}
	for (const char* line : BuildListLines)
		EXPECT_EQ(unlocked.count(line), 1u) << line << " is never unlocked";
}

// With normal scores only and each upgrade bought as soon as the shop offers it, every upgrade a level
// needs is affordable before that level.
TEST_F(ShippedConfiguration, NeededUpgradesAreAffordableWithNormalScores)
{
	int points = 0;
	std::set<int> bought;
	std::vector<SmartPointer<GUpgrade>> all;
	for (const auto& entry : upgrades->getUpgrades())
		all.push_back(entry.second);
	for (int finished = 0; finished <= 28; ++finished)
	{
		if (finished > 0)
			points += 1000 + 150 * (finished - 1);
		for (size_t i = 0; i < all.size(); ++i)
			if (!bought.count(static_cast<int>(i)) && all[i]->getLevel() <= finished && all[i]->getPrice() <= points)
			{
				bought.insert(static_cast<int>(i));
				points -= all[i]->getPrice();
			}
		for (size_t i = 0; i < all.size(); ++i)
			if (all[i]->getObligatoryLevel() == finished + 1)
				EXPECT_TRUE(bought.count(static_cast<int>(i)))
				    << nameOf(all[i]->getName()) << " before level " << finished + 1;
	}
	EXPECT_EQ(bought.size(), all.size());
}

// A new player on the first level may build camping sites only.
TEST_F(ShippedConfiguration, TheFirstLevelOffersCampingOnly)
{
	GUpgradeEffects effects;
	effects.collect(upgrades.get(), static_cast<const CProfile*>(nullptr), nullptr, 0);
	ASSERT_EQ(effects.getAllowedBuildings().size(), 1u);
	EXPECT_EQ(nameOf(effects.getAllowedBuildings()[0]), "Camping1");
}

// Every text of the records and upgrades is a dictionary tag the shipped dictionary knows.
TEST_F(ShippedConfiguration, EveryShownTextIsInTheDictionary)
{
	SmartPointer<CDictionary> dictionary(new CDictionary(files.get()));
	ASSERT_TRUE(dictionary->loadFile("strings/Dictionary.xml"));
	std::vector<std::pair<std::string, irr::core::stringw>> texts;
	for (const auto& entry : buildings->getRecords())
	{
		const GBuildingType& r = *entry.second;
		const std::string name = nameOf(r.getName());
		EXPECT_TRUE(dictionary->hasText(r.getDisplayName())) << name << ": " << r.getDisplayName().c_str();
		texts.push_back({name, r.getDescription()});
		texts.push_back({name, r.getFullDescription()});
		for (const GBuildingFeature& feature : r.getFeatures())
			for (const irr::core::stringw* text :
			     {&feature.getName(), &feature.getInfoText(), &feature.getButtonInfoText()})
				texts.push_back({name, *text});
	}
	for (const auto& entry : upgrades->getUpgrades())
		texts.push_back({nameOf(entry.first), entry.second->getInfo()});
	for (const auto& text : texts)
	{
		EXPECT_FALSE(text.second.empty()) << text.first;
		EXPECT_EQ(dictionary->expandTags(text.second).findFirst(L'%'), -1)
		    << text.first << ": " << irr::core::stringc(text.second).c_str();
	}
}
