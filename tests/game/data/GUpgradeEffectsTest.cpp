#include "data/GUpgradeEffects.h"

#include "DataTestSupport.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/CPropertyCollection.h"
#include "data/GLevelConfiguration.h"
#include "data/GUpgradesConfiguration.h"

#include <gtest/gtest.h>

namespace
{
// Free camping, hostels from level 2 with a feature and a modifier, a cafe from level 0.
const char* const shopXml = "<UpgradesConfiguration>"
                            "<Upgrade><Name Value=\"Camping\"/><Price Value=\"0\"/>"
                            "<AllowsBuilding Value=\"Camping1\"/></Upgrade>"
                            "<Upgrade><Name Value=\"Hostel\"/><Price Value=\"500\"/><Level Value=\"2\"/>"
                            "<AllowsBuilding Value=\"Hostel1\"/>"
                            "<AllowsBuildingFeature Building=\"Hostel1\" FeatureIndex=\"2\"/>"
                            "<LevelModifiers><Modifier Type=\"GuestsCountM\" Value=\"1.1\"/></LevelModifiers>"
                            "</Upgrade>"
                            "<Upgrade><Name Value=\"Cafe\"/><Price Value=\"300\"/>"
                            "<AllowsBuilding Value=\"Cafe\"/><AllowsBuilding Value=\"Camping1\"/></Upgrade>"
                            "</UpgradesConfiguration>";

class GUpgradeEffectsTest : public testing::Test
{
protected:
	void SetUp() override { ASSERT_TRUE(upgrades->load(xmlReader(shopXml).get())); }

	SmartPointer<CProfile> playerWho(const char* bought)
	{
		SmartPointer<CProfile> profile(new CProfile(L"Player"));
		profile->setString("BoughtUpgrades", bought);
		return profile;
	}

	// The allowed buildings as names joined by spaces.
	static std::string allowed(const GUpgradeEffects& effects)
	{
		std::string names;
		for (StringId id : effects.getAllowedBuildings())
			names += (names.empty() ? "" : " ") + std::string(getStringById(id).c_str());
		return names;
	}

	SmartPointer<GUpgradesConfiguration> upgrades{new GUpgradesConfiguration()};
	GUpgradeEffects effects;
};
} // namespace

TEST_F(GUpgradeEffectsTest, AnUpgradeCountsFromItsLevelOnSkippingMiniGameLocations)
{
	const struct
	{
		int location;
		const char* expected;
	} cases[] = {{0, "Cafe Camping1"},         {1, "Cafe Camping1"},         {2, "Cafe Camping1 Hostel1"},
	             {6, "Cafe Camping1 Hostel1"}, {7, "Cafe Camping1 Hostel1"}, {31, "Cafe Camping1 Hostel1"}};
	for (const auto& c : cases)
	{
		effects.collect(upgrades.get(), playerWho(" Cafe ;; Hostel").get(), nullptr, c.location);
		EXPECT_EQ(allowed(effects), c.expected) << "location " << c.location;
	}
	// Location 8 is the second group's first level (index 7): an upgrade of Level 7 is in force.
	SmartPointer<GUpgradesConfiguration> late(new GUpgradesConfiguration());
	ASSERT_TRUE(late->load(xmlReader("<UpgradesConfiguration><Upgrade><Name Value=\"Mall\"/><Level Value=\"7\"/>"
	                                 "<AllowsBuilding Value=\"CityMall\"/></Upgrade></UpgradesConfiguration>")
	                           .get()));
	effects.collect(late.get(), static_cast<const CProfile*>(nullptr), nullptr, 7);
	EXPECT_EQ(allowed(effects), "");
	effects.collect(late.get(), static_cast<const CProfile*>(nullptr), nullptr, 8);
	EXPECT_EQ(allowed(effects), "CityMall");
}

TEST_F(GUpgradeEffectsTest, WithoutAPlayerOnlyFreeUpgradesCount)
{
	effects.collect(upgrades.get(), static_cast<const CProfile*>(nullptr), nullptr, 20);
	EXPECT_EQ(allowed(effects), "Camping1");
	EXPECT_EQ(effects.getModifierLists().size(), 1u);
	EXPECT_FALSE(effects.isBuildingAllowed(internStringId("Cafe")));
	effects.collect(nullptr, playerWho("Cafe").get(), nullptr, 20);
	EXPECT_EQ(allowed(effects), "");
}

TEST_F(GUpgradeEffectsTest, TheLevelsListOfBuildingsLimitsWhatUpgradesAllow)
{
	SmartPointer<GLevelConfiguration> level(new GLevelConfiguration());
	CPropertyCollection properties;
	properties.addString("AvailableBuildingsForBuild", "Camping1;Cafe");
	level->readProperties(properties);
	effects.collect(upgrades.get(), playerWho("Hostel;Cafe").get(), level.get(), 5);
	EXPECT_EQ(allowed(effects), "Cafe Camping1");
	EXPECT_FALSE(effects.isBuildingAllowed(internStringId("Hostel1")));
	effects.collect(upgrades.get(), playerWho("Hostel;Cafe").get(), nullptr, 5);
	EXPECT_TRUE(effects.isBuildingAllowed(internStringId("Hostel1")));
}

TEST_F(GUpgradeEffectsTest, TheFirstFeatureIsAlwaysAllowedLaterOnesNeedAnUpgrade)
{
	effects.collect(upgrades.get(), playerWho("").get(), nullptr, 5);
	EXPECT_TRUE(effects.isFeatureAllowed(internStringId("Anything"), 0));
	EXPECT_FALSE(effects.isFeatureAllowed(internStringId("Hostel1"), 1));
	effects.collect(upgrades.get(), playerWho("Hostel").get(), nullptr, 5);
	EXPECT_TRUE(effects.isFeatureAllowed(internStringId("Hostel1"), 1));
	EXPECT_FALSE(effects.isFeatureAllowed(internStringId("Hostel1"), 2));
	EXPECT_FALSE(effects.isFeatureAllowed(internStringId("Cafe"), 1));
}

TEST_F(GUpgradeEffectsTest, UnknownAndRepeatedNamesAddNothingTwice)
{
	effects.collect(upgrades.get(), playerWho("Nowhere;Camping;Camping;Hostel;Hostel").get(), nullptr, 5);
	EXPECT_EQ(allowed(effects), "Camping1 Hostel1");
	EXPECT_EQ(effects.getModifierLists().size(), 2u);
}

// A developer reload of the upgrades while a level runs: the level's lists stay whole.
TEST_F(GUpgradeEffectsTest, ModifierListsInForceOutliveAReloadOfTheUpgrades)
{
	effects.collect(upgrades.get(), playerWho("Hostel").get(), nullptr, 5);
	ASSERT_TRUE(upgrades->load(xmlReader("<UpgradesConfiguration></UpgradesConfiguration>").get()));
	GLevelModifierValues values;
	for (const SmartPointer<GLevelModifierList>& list : effects.getModifierLists())
		list->applyAll(values);
	EXPECT_EQ(describe(values), "GuestsCountM=1.1");
}

TEST_F(GUpgradeEffectsTest, TheCurrentPlayerOfTheProfileManagerIsAsked)
{
	// No player is chosen in the test's profile manager: only the free camping counts.
	ASSERT_EQ(CProfileManager::instance()->getActiveProfile(), nullptr);
	effects.collect(upgrades.get(), static_cast<const GLevelConfiguration*>(nullptr), 5);
	EXPECT_EQ(allowed(effects), "Camping1");
}
