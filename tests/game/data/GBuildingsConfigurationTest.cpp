#include "data/GBuildingsConfiguration.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct Loaded
{
	SmartPointer<GBuildingsConfiguration> configuration{new GBuildingsConfiguration()};
	bool complete = false;
};

Loaded loadBuildings(const std::string& text)
{
	Loaded loaded;
	loaded.complete = loaded.configuration->load(xmlReader(text).get());
	return loaded;
}

float incomeOf(const GBuildingsConfiguration& configuration, const char* name)
{
	SmartPointer<GBuildingType> record = configuration.findBuilding(internStringId(name));
	return record ? record->getIncome() : -1.0f;
}
} // namespace

TEST(GBuildingsConfiguration, KeysRecordsByNameAndKeepsTheFirstOfAName)
{
	Loaded loaded =
	    loadBuildings(buildingsConfigurationXml(namedBuildingXml("Camping1", property("float", "Income", "100")) +
	                                            namedBuildingXml("Camping2", property("float", "Income", "200")) +
	                                            namedBuildingXml("Camping1", property("float", "Income", "999"))));
	EXPECT_TRUE(loaded.complete);
	EXPECT_EQ(loaded.configuration->getRecords().size(), 2u);
	EXPECT_EQ(incomeOf(*loaded.configuration, "Camping1"), 100.0f);
	EXPECT_EQ(incomeOf(*loaded.configuration, "Camping2"), 200.0f);
	EXPECT_FALSE(loaded.configuration->findBuilding(internStringId("Camping9")));
	EXPECT_FALSE(loaded.configuration->findBuilding(StringId()));
}

TEST(GBuildingsConfiguration, RecordsWithoutANameAreLeftOut)
{
	Loaded loaded = loadBuildings(buildingsConfigurationXml(buildingXml(property("float", "Income", "5")) +
	                                                        namedBuildingXml("", property("float", "Income", "6")) +
	                                                        "<Building/>" + namedBuildingXml("Hostel1")));
	EXPECT_TRUE(loaded.complete);
	EXPECT_EQ(loaded.configuration->getRecords().size(), 1u);
	EXPECT_TRUE(loaded.configuration->findBuilding(internStringId("Hostel1")));
	EXPECT_FALSE(loaded.configuration->findBuilding(StringId()));
}

TEST(GBuildingsConfiguration, OtherElementsAndTheRootNameAreNotTested)
{
	Loaded loaded = loadBuildings("<Root><Note>text</Note>" + namedBuildingXml("Cafe") + "<Other/>" +
	                              "</Root></BuildingsConfiguration>" + namedBuildingXml("Late"));
	EXPECT_TRUE(loaded.complete);
	EXPECT_TRUE(loaded.configuration->findBuilding(internStringId("Cafe")));
	EXPECT_FALSE(loaded.configuration->findBuilding(internStringId("Late")));
}

TEST(GBuildingsConfiguration, AFileCutShortKeepsWhatWasRead)
{
	const struct
	{
		const char* name;
		std::string text;
		size_t records;
	} cases[] = {
	    {"no end tag", "<BuildingsConfiguration>" + namedBuildingXml("Cafe") + namedBuildingXml("Garden1"), 2},
	    {"cut inside a record", "<BuildingsConfiguration>" + namedBuildingXml("Cafe") + "<Building><Properties>", 1},
	    {"empty input", "", 0},
	    {"not XML", "\x01\x02 garbage <<<", 0},
	};
	for (const auto& c : cases)
	{
		Loaded loaded = loadBuildings(c.text);
		EXPECT_FALSE(loaded.complete) << c.name;
		EXPECT_EQ(loaded.configuration->getRecords().size(), c.records) << c.name;
	}
	EXPECT_FALSE(SmartPointer<GBuildingsConfiguration>(new GBuildingsConfiguration())->load(nullptr));
}

// A developer reload replaces the records; a building keeps the one it was given.
TEST(GBuildingsConfiguration, AReloadReplacesRecordsWhileHandedOutOnesLiveOn)
{
	Loaded loaded = loadBuildings(buildingsConfigurationXml(
	    namedBuildingXml("Statue1", property("float", "ServeAreaIncomeBonus", "5"),
	                     "<LevelModifiers><Modifier Type=\"PRIncomeBonus\" Value=\"1\"/></LevelModifiers>")));
	SmartPointer<GBuildingType> heldByABuilding = loaded.configuration->findBuilding(internStringId("Statue1"));
	ASSERT_TRUE(heldByABuilding);

	ASSERT_TRUE(loaded.configuration->load(xmlReader(buildingsConfigurationXml(namedBuildingXml(
	                                                     "Statue1", property("float", "ServeAreaIncomeBonus", "9"))))
	                                           .get()));
	EXPECT_EQ(loaded.configuration->findBuilding(internStringId("Statue1"))->getServeAreaIncomeBonus(0, 0), 9.0f);
	EXPECT_EQ(heldByABuilding->getServeAreaIncomeBonus(0, 0), 5.0f);
	GLevelModifierValues values;
	heldByABuilding->getLevelModifiers()->applyAll(values);
	EXPECT_EQ(describe(values), "PRIncomeBonus=1");

	ASSERT_TRUE(loaded.configuration->load(xmlReader(buildingsConfigurationXml("")).get()));
	EXPECT_TRUE(loaded.configuration->getRecords().empty());
}
