#pragma once

#include "core/StringId.h"

#include <array>
#include <vector>

class GUpgrade;
class GUpgradesConfiguration;

// The shop's arithmetic, kept apart from the screen: what the player owns, what it cost, what is left
// to spend and which upgrades are offered or needed.
struct ShopLedger
{
	static constexpr int GroupCount = 4;

	// Each owned upgrade once: the bought names in profile order, then every free upgrade not already
	// among them. A name bought twice in a damaged profile is still one upgrade.
	std::vector<StringId> owned;
	long long scoreTotal = 0;
	long long spent = 0;
	// Owned upgrades of the known names per achievement group (camps and hotels, leisure,
	// sights, services).
	std::array<int, GroupCount> groupCounts{};

	bool owns(StringId name) const;
	// Spendable points, held within the int range.
	int points() const;
};

// Reads the owned set, the score total and the spending from the profile's texts.
ShopLedger computeShopLedger(const GUpgradesConfiguration& upgrades, const char* boughtUpgrades, const char* scores);

// The 0-based regular level reached at a map location (the mini-game locations 7, 15, 23 and 31 count
// with the level before them).
long long regularLevelAt(int locationIndex);
// Offered in the shop once the player has unlocked the location of its level.
bool isUpgradeForSale(const GUpgrade& upgrade, int maxUnlockedLevelIndex);
// The location the player is at cannot be played without it.
bool isUpgradeNeededAt(const GUpgrade& upgrade, int levelIndex);
// The achievement group (0 to 3) of an upgrade name, or -1.
int upgradeGroupOf(StringId name);
