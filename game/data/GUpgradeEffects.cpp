#include "GUpgradeEffects.h"

#include "GLevelConfiguration.h"
#include "GUpgradesConfiguration.h"
#include "ProfileKeys.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/TextUtils.h"

#include <algorithm>

namespace
{
template <class T> bool contains(const std::vector<T>& items, const T& item)
{
	return std::find(items.begin(), items.end(), item) != items.end();
}

bool contains(const irr::core::array<StringId>& items, StringId item)
{
	for (irr::u32 i = 0; i < items.size(); ++i)
		if (items[i] == item)
			return true;
	return false;
}

// The 0-based regular level of a map location: every eighth location is a mini-game.
long long regularLevelOf(int locationIndex)
{
	return locationIndex - (locationIndex + 1LL) / 8;
}
} // namespace

void GUpgradeEffects::collect(const GUpgradesConfiguration* upgrades, const GLevelConfiguration* level,
                              int locationIndex)
{
	collect(upgrades, CProfileManager::instance()->getActiveProfile(), level, locationIndex);
}

void GUpgradeEffects::collect(const GUpgradesConfiguration* upgrades, const CProfile* profile,
                              const GLevelConfiguration* level, int locationIndex)
{
	modifierLists.clear();
	allowedBuildings.clear();
	allowedFeatures.clear();
	if (!upgrades)
		return;

	irr::core::array<StringId> candidates;
	if (profile)
		candidates = splitToIds(profile->getString(ProfileKey::BoughtUpgrades).c_str());
	for (const auto& entry : upgrades->getUpgrades())
		if (entry.second->isFree())
			candidates.push_back(entry.first);

	const irr::core::array<StringId>* availableBuildings = level ? &level->getAvailableBuildings() : nullptr;
	const long long regularLevel = regularLevelOf(locationIndex);
	for (irr::u32 i = 0; i < candidates.size(); ++i)
	{
		const SmartPointer<GUpgrade> upgrade = upgrades->findUpgrade(candidates[i]);
		if (upgrade && upgrade->getLevel() <= regularLevel)
			addUpgrade(*upgrade, availableBuildings);
	}
}

void GUpgradeEffects::addUpgrade(const GUpgrade& upgrade, const irr::core::array<StringId>* availableBuildings)
{
	for (StringId building : upgrade.getAllowedBuildings())
		if ((!availableBuildings || contains(*availableBuildings, building)) && !contains(allowedBuildings, building))
			allowedBuildings.push_back(building);
	allowedFeatures.insert(allowedFeatures.end(), upgrade.getAllowedFeatures().begin(),
	                       upgrade.getAllowedFeatures().end());
	if (!contains(modifierLists, upgrade.getLevelModifiers()))
		modifierLists.push_back(upgrade.getLevelModifiers());
}

bool GUpgradeEffects::isBuildingAllowed(StringId building) const
{
	return contains(allowedBuildings, building);
}

bool GUpgradeEffects::isFeatureAllowed(StringId building, int featureIndex) const
{
	return featureIndex == 0 || contains(allowedFeatures, GAllowedFeature{building, featureIndex});
}
