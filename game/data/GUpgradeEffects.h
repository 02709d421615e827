#pragma once

#include "GLevelModifierList.h"
#include "GUpgrade.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <vector>

class CProfile;
class GLevelConfiguration;
class GUpgradesConfiguration;

// What the upgrades owned by the player mean for one level: the buildings that may be built, the
// features that may be used and the modifier lists in force. Made once per level start.
class GUpgradeEffects : public virtual ReferenceCounted
{
public:
	// Gathers the effects of the current player's bought upgrades and of every free upgrade for
	// the level at this map location. With a level configuration an upgrade allows only the
	// buildings that the level lists as available.
	void collect(const GUpgradesConfiguration* upgrades, const GLevelConfiguration* level, int locationIndex);
	// The same with the bought upgrades of this profile (none: only the free upgrades count).
	void collect(const GUpgradesConfiguration* upgrades, const CProfile* profile, const GLevelConfiguration* level,
	             int locationIndex);

	bool isBuildingAllowed(StringId building) const;
	// The first feature (index 0) of every building needs no upgrade.
	bool isFeatureAllowed(StringId building, int featureIndex) const;
	// Applied before the buildings' own modifiers; each list once. The lists stay valid when the
	// upgrades are read again while the level runs.
	const std::vector<SmartPointer<GLevelModifierList>>& getModifierLists() const { return modifierLists; }
	const std::vector<StringId>& getAllowedBuildings() const { return allowedBuildings; }

private:
	void addUpgrade(const GUpgrade& upgrade, const irr::core::array<StringId>* availableBuildings);

	std::vector<SmartPointer<GLevelModifierList>> modifierLists;
	std::vector<StringId> allowedBuildings;
	std::vector<GAllowedFeature> allowedFeatures; // repeats allowed
};
