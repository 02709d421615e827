#pragma once

#include "GLevelModifierList.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrString.h>
#include <vector>

class IXMLReader;

// One activatable feature of a building level, read from one ActiveFeature element; held by value
// in its record, sharing its modifier list with copies.
class GBuildingFeature
{
public:
	// Reads the ActiveFeature element whose start tag was just read, on to its end tag.
	void read(IXMLReader* reader);

	StringId getButtonName() const { return buttonName; }
	int getDurationTime() const { return durationTime; }
	int getRechargeTime() const { return rechargeTime; }
	float getMoneyCost() const { return moneyCost; }
	const irr::core::stringw& getName() const { return name; }
	const irr::core::stringw& getInfoText() const { return infoText; }
	const irr::core::stringw& getButtonInfoText() const { return buttonInfoText; }
	const std::vector<StringId>& getEffects() const { return effects; }
	bool hasEffect(StringId effect) const;
	// Null when the feature brings no modifiers.
	const SmartPointer<GLevelModifierList>& getLevelModifiers() const { return levelModifiers; }

private:
	StringId buttonName;      // template of the feature's button
	int durationTime = 10000; // ms
	int rechargeTime = 10000; // ms
	float moneyCost = 0.0f;
	irr::core::stringw name;
	irr::core::stringw infoText;
	irr::core::stringw buttonInfoText;
	std::vector<StringId> effects; // Type of each Feature element, such as BoostIncome
	SmartPointer<GLevelModifierList> levelModifiers;
};
