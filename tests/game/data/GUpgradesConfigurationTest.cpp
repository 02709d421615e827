#include "data/GUpgradesConfiguration.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace
{
SmartPointer<GUpgradesConfiguration> loadUpgrades(const std::string& upgrades, bool* complete = nullptr)
{
	SmartPointer<GUpgradesConfiguration> configuration(new GUpgradesConfiguration());
	const bool done =
	    configuration->load(xmlReader("<UpgradesConfiguration>" + upgrades + "</UpgradesConfiguration>").get());
	if (complete)
		*complete = done;
	return configuration;
}

SmartPointer<GUpgrade> readUpgrade(const std::string& children)
{
	SmartPointer<GUpgrade> upgrade(new GUpgrade());
	SmartPointer<CXMLReader> reader = xmlReader("<Upgrade>" + children + "</Upgrade>");
	if (readToElement(*reader, L"Upgrade"))
		upgrade->read(reader.get());
	return upgrade;
}
} // namespace

TEST(GUpgradesConfiguration, ReadsEveryElementOfAnUpgradeInAnyOrder)
{
	SmartPointer<GUpgrade> u = readUpgrade(
	    "<AllowsBuilding Value=\"Hostel1\"/><Price Value=\"1500\"/><Name Value=\"Hostel\"/>"
	    "<Info Value=\"Hostels for backpackers\"/><Level Value=\"3\"/><ObligatoryLevel Value=\"5\"/>"
	    "<AllowsBuilding Value=\"Hostel2\"/><AllowsBuildingFeature Building=\"Hostel1\" FeatureIndex=\"2\"/>"
	    "<LevelModifiers><Modifier Type=\"WorkerPriceM\" Value=\"0.9\"/></LevelModifiers><Unknown Value=\"1\"/>");
	EXPECT_EQ(u->getName(), internStringId("Hostel"));
	EXPECT_EQ(u->getInfo(), L"Hostels for backpackers");
	EXPECT_EQ(u->getPrice(), 1500);
	EXPECT_FALSE(u->isFree());
	EXPECT_EQ(u->getLevel(), 3);
	EXPECT_EQ(u->getObligatoryLevel(), 5);
	EXPECT_EQ(u->getAllowedBuildings(), (std::vector<StringId>{internStringId("Hostel1"), internStringId("Hostel2")}));
	EXPECT_EQ(u->getAllowedFeatures(), (std::vector<GAllowedFeature>{{internStringId("Hostel1"), 1}}));
	EXPECT_EQ(u->getLevelModifiers()->getCount(), 1);
}

TEST(GUpgradesConfiguration, MissingValuesTakeTheirDefaults)
{
	const struct
	{
		const char* name;
		std::string children;
		int price, level, obligatoryLevel, featureIndex;
	} cases[] = {
	    {"nothing given", "", 0, 0, -1, -2},
	    {"obligatory level without Value", "<ObligatoryLevel/>", 0, 0, 0, -2},
	    {"feature without index", "<AllowsBuildingFeature Building=\"Cafe\"/>", 0, 0, -1, -1},
	    {"feature counted from one", "<AllowsBuildingFeature Building=\"Cafe\" FeatureIndex=\"1\"/>", 0, 0, -1, 0},
	    {"numbers without Value", "<Price/><Level/>", 0, 0, -1, -2},
	    // Refused as out of range (with a log line): the feature counts as given without an index.
	    {"the lowest index the file can hold",
	     "<AllowsBuildingFeature Building=\"Cafe\" FeatureIndex=\"-2147483648\"/>", 0, 0, -1, -1},
	};
	for (const auto& c : cases)
	{
		SmartPointer<GUpgrade> u = readUpgrade(c.children);
		EXPECT_EQ(u->getPrice(), c.price) << c.name;
		EXPECT_TRUE(u->getName().isEmpty()) << c.name;
		EXPECT_EQ(u->getLevel(), c.level) << c.name;
		EXPECT_EQ(u->getObligatoryLevel(), c.obligatoryLevel) << c.name;
		ASSERT_TRUE(u->getLevelModifiers()) << c.name;
		EXPECT_EQ(u->getLevelModifiers()->getCount(), 0) << c.name;
		if (c.featureIndex != -2)
		{
			ASSERT_EQ(u->getAllowedFeatures().size(), 1u) << c.name;
			EXPECT_EQ(u->getAllowedFeatures()[0].featureIndex, c.featureIndex) << c.name;
		}
		else
			EXPECT_TRUE(u->getAllowedFeatures().empty()) << c.name;
	}
}

TEST(GUpgradesConfiguration, KeepsTheFirstUpgradeOfANameAndLeavesOutNamelessOnes)
{
	bool complete = false;
	SmartPointer<GUpgradesConfiguration> c =
	    loadUpgrades("<Upgrade><Name Value=\"Cafe\"/><Price Value=\"100\"/></Upgrade>"
	                 "<Upgrade><Price Value=\"7\"/></Upgrade><Upgrade/><Other/>"
	                 "<Upgrade><Name Value=\"Cafe\"/><Price Value=\"900\"/></Upgrade>"
	                 "<Upgrade><Name Value=\"Camping\"/></Upgrade>",
	                 &complete);
	EXPECT_TRUE(complete);
	ASSERT_EQ(c->getUpgrades().size(), 2u);
	EXPECT_EQ(c->findUpgrade(internStringId("Cafe"))->getPrice(), 100);
	EXPECT_TRUE(c->findUpgrade(internStringId("Camping"))->isFree());
	EXPECT_FALSE(c->findUpgrade(internStringId("Garden")));
	EXPECT_FALSE(c->findUpgrade(StringId()));
}

TEST(GUpgradesConfiguration, AFileCutShortIsReportedAndKeepsWhatWasRead)
{
	SmartPointer<GUpgradesConfiguration> c(new GUpgradesConfiguration());
	EXPECT_FALSE(c->load(xmlReader("<UpgradesConfiguration><Upgrade><Name Value=\"Cafe\"/></Upgrade>"
	                               "<Upgrade><Name Value=\"Garden\"/>")
	                         .get()));
	EXPECT_EQ(c->getUpgrades().size(), 2u);
	EXPECT_FALSE(c->load(nullptr));
	EXPECT_TRUE(c->getUpgrades().empty());
}
