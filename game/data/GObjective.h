#pragma once

#include "core/ReferenceCounted.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

class CDictionary;
class IObjectiveLevelView;
class IXMLReader;
struct GObjectiveBuilding;
struct GObjectiveRecord;

// One goal of a level (an Objective element): a completion test on the level and the texts that show it.
class GObjective : public virtual ReferenceCounted
{
public:
	// Called when the level takes its configuration.
	virtual void start() {}
	virtual bool isComplete(const IObjectiveLevelView& level) = 0;
	// Only the income objective has a long form.
	virtual irr::core::stringw getText(const CDictionary& dictionary, bool full) const = 0;
	// Current value, a slash, the target.
	virtual irr::core::stringw getProgressText(const IObjectiveLevelView& level, const CDictionary& dictionary) = 0;
	// Shown while the objective is not met; empty when it has none.
	virtual irr::core::stringw getHintText() const { return irr::core::stringw(); }
	// Takes the attributes of the Objective element the reader stands on.
	virtual void read(IXMLReader* reader) = 0;
	// False when a number of its element was refused: such an objective is no goal at all.
	bool isValid() const { return valid; }

protected:
	bool valid = true;

	// Owned, not for sale, not in a worker job and in normal condition.
	static bool passesOwnership(const GObjectiveBuilding& building);
	// The record a building counts as (the previous one during a build or upgrade); null when it counts as
	// nothing: being demolished, no record, or an empty place.
	static const GObjectiveRecord* countedRecord(const GObjectiveBuilding& building);
	// "true" exactly.
	static bool readFlag(IXMLReader* reader, const wchar_t* name);
	// "count/target" in decimal.
	static irr::core::stringw countText(int count, int target);
	// The value rounded half up and the target truncated, each as money with thousands separators.
	static irr::core::stringw moneyProgressText(const CDictionary& dictionary, float value, float target);
};
