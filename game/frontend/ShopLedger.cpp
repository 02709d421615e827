#include "ShopLedger.h"

#include "core/TextUtils.h"
#include "data/GUpgradesConfiguration.h"
#include "data/IntList.h"

#include <algorithm>
#include <climits>

bool ShopLedger::owns(StringId name) const
{
	return std::find(owned.begin(), owned.end(), name) != owned.end();
}

int ShopLedger::points() const
{
	return static_cast<int>(std::clamp<long long>(scoreTotal - spent, INT_MIN, INT_MAX));
}

ShopLedger computeShopLedger(const GUpgradesConfiguration& upgrades, const char* boughtUpgrades, const char* scores)
{
	ShopLedger ledger;
	const irr::core::array<StringId> bought = splitToIds(boughtUpgrades ? boughtUpgrades : "");
	for (irr::u32 i = 0; i < bought.size(); ++i)
		if (!ledger.owns(bought[i]))
			ledger.owned.push_back(bought[i]);
	for (const auto& entry : upgrades.getUpgrades())
		if (entry.second->isFree() && !ledger.owns(entry.first))
			ledger.owned.push_back(entry.first);

	const irr::core::array<irr::s32> values = parseIntList(scores ? scores : "");
	for (irr::u32 i = 0; i < values.size(); ++i)
		ledger.scoreTotal += values[i];

	for (StringId name : ledger.owned)
	{
		const SmartPointer<GUpgrade> upgrade = upgrades.findUpgrade(name);
		if (!upgrade)
			continue;
		ledger.spent += upgrade->getPrice();
		const int group = upgradeGroupOf(name);
		if (group >= 0)
			++ledger.groupCounts[static_cast<size_t>(group)];
	}
	return ledger;
}

long long regularLevelAt(int locationIndex)
{
	return locationIndex - (locationIndex + 1LL) / 8;
}

bool isUpgradeForSale(const GUpgrade& upgrade, int maxUnlockedLevelIndex)
{
	return regularLevelAt(maxUnlockedLevelIndex) >= upgrade.getLevel() - 1LL;
}

bool isUpgradeNeededAt(const GUpgrade& upgrade, int levelIndex)
{
	// Levels count from 1 here: an upgrade without an obligatory level (-1 or 0) is never needed.
	return upgrade.getObligatoryLevel() > 0 && regularLevelAt(levelIndex) >= upgrade.getObligatoryLevel() - 1LL;
}

int upgradeGroupOf(StringId name)
{
	static const char* const groups[ShopLedger::GroupCount][6] = {
	    {"Camping", "Hostel", "GuestHouse", "BusinessHotel", "HotelN5", "HotelN6"},
	    {"Cafe", "CityMall", "AquaPark"},
	    {"Statue", "Garden", "Memorial"},
	    {"TruckStation", "REAgency", "PRAgency"},
	};
	const irr::core::stringc& text = getStringById(name);
	for (int g = 0; g < ShopLedger::GroupCount; ++g)
		for (const char* member : groups[g])
			if (member && text == member)
				return g;
	return -1;
}
