#include "frontend/ShopLedger.h"

#include "ShopTestSupport.h"

#include <climits>
#include <gtest/gtest.h>

using namespace shoptest;

namespace
{
SmartPointer<GUpgradesConfiguration> shopUpgrades()
{
	return upgradesOf(upgradeXml("Camping", 0, 0) + upgradeXml("Cafe", 120, 1, 2) + upgradeXml("Hostel", 1200, 2, 4) +
	                  upgradeXml("Statue", 1500, 9, 10) + upgradeXml("CityMall", 2600, 10, 12) +
	                  upgradeXml("Fountain", 0, 3));
}

std::string groups(const ShopLedger& ledger)
{
	std::string text;
	for (int count : ledger.groupCounts)
		text += std::to_string(count) + " ";
	return text;
}
} // namespace

TEST(ShopLedger, PointsAreTheScoresLessWhatTheOwnedUpgradesCost)
{
	const SmartPointer<GUpgradesConfiguration> upgrades = shopUpgrades();
	struct Case
	{
		const char* story;
		const char* bought;
		const char* scores;
		int points;
		const char* groups; // camps and hotels, leisure, sights, services
		size_t owned;
	};
	const Case cases[] = {
	    {"nothing bought: the free camping and fountain are owned", "", "100;200", 300, "1 0 0 0 ", 2},
	    {"a bought cafe and the free upgrades", "Cafe", "100;200", 180, "1 1 0 0 ", 3},
	    {"a free upgrade in the profile counts once", "Camping;Cafe", "100;200", 180, "1 1 0 0 ", 3},
	    {"a paid upgrade written twice is paid once", "Cafe; Cafe ;Cafe", "100;200", 180, "1 1 0 0 ", 3},
	    {"unknown names cost nothing", "Rocket;;Cafe", "100;200", 180, "1 1 0 0 ", 4},
	    {"more spent than earned", "Hostel", "500", -700, "2 0 0 0 ", 3},
	    {"damaged scores: the numbers in it count", "Cafe", "x;300;;abc;-100", 80, "1 1 0 0 ", 3},
	    {"scores beyond the int range are held", "", "99999999999;99999999999", INT_MAX, "1 0 0 0 ", 2},
	    {"no profile texts at all", nullptr, nullptr, 0, "1 0 0 0 ", 2},
	};
	for (const Case& c : cases)
	{
		const ShopLedger ledger = computeShopLedger(*upgrades, c.bought, c.scores);
		EXPECT_EQ(ledger.points(), c.points) << c.story;
		EXPECT_EQ(groups(ledger), c.groups) << c.story;
		EXPECT_EQ(ledger.owned.size(), c.owned) << c.story;
	}
}

TEST(ShopLedger, OffersAndNeedsFollowTheLevelsReached)
{
	const SmartPointer<GUpgradesConfiguration> upgrades = shopUpgrades();
	const GUpgrade& statue = *upgrades->findUpgrade(internStringId("Statue"));   // Level 9, needed for level 10
	const GUpgrade& camping = *upgrades->findUpgrade(internStringId("Camping")); // no level needs it
	struct Case
	{
		int location;
		bool statueForSale;
		bool statueNeeded;
	};
	// Location 7 is the first district's mini-game and counts as level index 6, location 8 as 7, location 9 as 8.
	const Case cases[] = {{0, false, false}, {7, false, false},  {8, false, false},     {9, true, false},
	                      {10, true, true},  {-5, false, false}, {INT_MAX, true, true}, {INT_MIN, false, false}};
	for (const Case& c : cases)
	{
		EXPECT_EQ(isUpgradeForSale(statue, c.location), c.statueForSale) << c.location;
		EXPECT_EQ(isUpgradeNeededAt(statue, c.location), c.statueNeeded) << c.location;
		EXPECT_FALSE(isUpgradeNeededAt(camping, c.location)) << c.location;
	}
	EXPECT_EQ(regularLevelAt(7), 6);
	EXPECT_EQ(regularLevelAt(9), 8);
	EXPECT_EQ(regularLevelAt(31), 27);
}
