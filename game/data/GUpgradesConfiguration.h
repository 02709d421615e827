#pragma once

#include "GUpgrade.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <map>

class IXMLReader;

// Every upgrade of the shop, keyed by name; made once for the run and filled again by a reload.
class GUpgradesConfiguration : public virtual ReferenceCounted
{
public:
	using Upgrades = std::map<StringId, SmartPointer<GUpgrade>>;

	// Refills the upgrades from an opened upgrades configuration. True when its end tag was met.
	// The first upgrade of a name wins; an upgrade without a Name is left out.
	bool load(IXMLReader* reader);
	// Null when no upgrade has the name.
	SmartPointer<GUpgrade> findUpgrade(StringId name) const;
	// All upgrades in key order.
	const Upgrades& getUpgrades() const { return upgrades; }

private:
	Upgrades upgrades;
};
