#include "content/CProfile.h"
#include "content/CXMLReader.h"
#include "data/GLevelModifierValues.h"
#include "data/GUpgradeEffects.h"
#include "data/GUpgradesConfiguration.h"

#include <cstddef>
#include <cstdint>

// Reads the input as an upgrades configuration and gathers the effects of owning every upgrade.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GUpgradesConfiguration> upgrades(new GUpgradesConfiguration());
	upgrades->load(reader.get());

	irr::core::stringc bought;
	for (const auto& entry : upgrades->getUpgrades())
		bought += getStringById(entry.first) + ";";
	SmartPointer<CProfile> player(new CProfile(L"Player"));
	player->setString("BoughtUpgrades", bought);
	SmartPointer<GUpgradeEffects> effects(new GUpgradeEffects());
	for (int location : {0, 7, 31, -1, 2147483647})
	{
		effects->collect(upgrades.get(), player.get(), nullptr, location);
		GLevelModifierValues values;
		for (const SmartPointer<GLevelModifierList>& list : effects->getModifierLists())
			list->applyAll(values);
		for (const auto& entry : upgrades->getUpgrades())
			for (const GAllowedFeature& feature : entry.second->getAllowedFeatures())
				effects->isFeatureAllowed(feature.building, feature.featureIndex);
	}
	return 0;
}
