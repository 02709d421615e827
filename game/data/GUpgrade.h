#pragma once

#include "GLevelModifierList.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrString.h>
#include <vector>

class IXMLReader;

// A building and the index (from 0) of one of its features that an upgrade unlocks.
struct GAllowedFeature
{
	StringId building;
	int featureIndex = -1; // -1 when the file gives none

	bool operator==(const GAllowedFeature& o) const { return building == o.building && featureIndex == o.featureIndex; }
};

// One upgrade of the shop, read from one Upgrade element: what it costs, from which level it is
// offered, and the buildings, features and modifiers it brings.
class GUpgrade : public virtual ReferenceCounted
{
public:
	GUpgrade();

	// Reads the Upgrade element whose start tag was just read, on to its end tag.
	void read(IXMLReader* reader);

	StringId getName() const { return name; }
	const irr::core::stringw& getInfo() const { return info; }
	int getPrice() const { return price; } // score points; 0 counts as bought from the start
	bool isFree() const { return price == 0; }
	int getLevel() const { return level; }
	int getObligatoryLevel() const { return obligatoryLevel; }
	const std::vector<StringId>& getAllowedBuildings() const { return allowedBuildings; }
	const std::vector<GAllowedFeature>& getAllowedFeatures() const { return allowedFeatures; }
	// Never null; shared with the upgrade effects of a running level.
	const SmartPointer<GLevelModifierList>& getLevelModifiers() const { return levelModifiers; }

private:
	StringId name;
	irr::core::stringw info;
	int price = 0;
	int level = 0;            // first regular level (from 0) it affects
	int obligatoryLevel = -1; // regular level (from 1) that needs it; -1 none
	std::vector<StringId> allowedBuildings;
	std::vector<GAllowedFeature> allowedFeatures;
	SmartPointer<GLevelModifierList> levelModifiers;
};
