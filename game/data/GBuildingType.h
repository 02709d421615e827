#pragma once

#include "GBuildingFeature.h"
#include "GLevelModifierList.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>
#include <vector>

class CPropertyCollection;
class IXMLReader;
class GLevelConfiguration;
struct GLevelModifierValues;

// One level of one building line, read from one Building element; shared and never changed after
// reading. A copy (a building node's own record) shares the modifier lists.
class GBuildingType : public virtual ReferenceCounted
{
public:
	// Reads the Building element whose start tag was just read, on to its end tag: unknown elements
	// are skipped, absent values keep their defaults.
	void read(IXMLReader* reader);

	const irr::core::stringc& getDisplayName() const { return displayName; }
	const irr::core::stringw& getDescription() const { return description; }
	const irr::core::stringw& getFullDescription() const { return fullDescription; }
	float getPreviewScale() const { return previewScale; }
	StringId getBuiltSoundCueName() const { return builtSoundCueName; }
	StringId getSelectedSoundCueName() const { return selectedSoundCueName; }
	StringId getName() const { return name; }
	StringId getNextLevelName() const { return nextLevelName; }
	bool isTopOfLine() const { return nextLevelName.isEmpty(); }
	int getLevel() const { return level; }
	int getType() const { return type; }
	StringId getButtonTemplate() const { return buttonTemplate; }
	float getBuildTime() const { return buildTime; }
	float getRepairTime() const { return repairTime; }
	float getDestroyTime() const { return destroyTime; }
	int getProvidedService() const { return providedService; }
	const irr::core::vector2df& getServeArea() const { return serveArea; }
	const irr::core::vector2df& getBoostedServeArea() const { return boostedServeArea; }
	float getServeTime() const { return serveTime; }
	float getServeIncome() const { return serveIncome; }
	float getServeBoostedIncome() const { return serveBoostedIncome; }
	float getIncome() const { return income; }
	float getSellPrice() const { return sellPrice; }
	float getCost() const { return cost; }
	// Null when this level brings no modifiers.
	const SmartPointer<GLevelModifierList>& getLevelModifiers() const { return levelModifiers; }
	const std::vector<GBuildingFeature>& getFeatures() const { return features; }
	int getFeatureCount() const { return static_cast<int>(features.size()); }
	// Null for an index out of range.
	const GBuildingFeature* getFeature(int index) const;

	// The costs and counts in force on a level, by its configuration or by the values of its
	// modifiers in force; without them the record's own figures.
	float getBuildMaterialsCost(const GLevelConfiguration* configuration) const;
	float getRepairMaterialsCost(const GLevelConfiguration* configuration) const;
	int getRepairWorkersCost(const GLevelModifierValues* modifiers) const;
	// Lowered by the WorkersCostA sum, never below one worker.
	int getBuildWorkersCost(const GLevelModifierValues* modifiers) const;
	int getDestroyWorkersCost(const GLevelModifierValues* modifiers) const;
	// Hotels (kind 0) hold GuestsCountM times their guests, rounded half up.
	int getGuestsCount(const GLevelModifierValues* modifiers) const;
	// The bonus this building gives the buildings in its serve area: none while it has work,
	// the broken bonus while it is not in normal condition.
	float getServeAreaIncomeBonus(int workKind, int condition) const;

private:
	void readProperties(const CPropertyCollection& properties);

	irr::core::stringc displayName; // dictionary key of the shown name
	irr::core::stringw description;
	irr::core::stringw fullDescription;
	float previewScale = 0.75f;
	StringId builtSoundCueName;
	StringId selectedSoundCueName;
	StringId name;
	StringId nextLevelName; // none at the top of a line
	int level = 0;          // 0: an empty place
	int type = 0;           // building kind: 0 hotels, 1 and 2 joys, 3 and above service buildings
	StringId buttonTemplate;
	float buildTime = 5000.0f;             // ms
	float repairTime = 2000.0f;            // ms
	float destroyTime = 1500.0f;           // ms
	int providedService = 0;               // 4, 5 or none (0)
	irr::core::vector2df serveArea;        // width, height
	irr::core::vector2df boostedServeArea; // the serve area when none is given
	float serveAreaIncomeBonus = 0.0f;     // percent
	float serveTime = 2000.0f;             // ms
	float serveIncome = 0.0f;              // per served guest
	float serveBoostedIncome = 0.0f;       // per served guest, while a paying feature runs
	float income = 0.0f;
	float sellPrice = 0.0f;
	float cost = 0.0f;
	SmartPointer<GLevelModifierList> levelModifiers; // shared with copies
	std::vector<GBuildingFeature> features;
	float brokenServeAreaIncomeBonus = 0.0f;
	float buildMaterialsCost = 10.0f;
	int buildWorkersCost = 1;
	float repairMaterialsCost = 10.0f;
	int repairWorkersCost = 1;
	int destroyWorkersCost = 1;
	int guestsCount = 0;
};
