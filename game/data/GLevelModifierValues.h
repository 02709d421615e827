#pragma once

// The level values that level modifiers change: rebuilt from every modifier in force on each
// recalculation of a level, never read from a file. Each field is named after its modifier Type.
struct GLevelModifierValues
{
	float materialDeliveryTimeM = 1.0f;
	float workerDeliveryTimeM = 1.0f;
	float materialPriceM = 1.0f;
	float workerPriceM = 1.0f;
	float workersCostA = 0.0f; // taken off build and destroy worker costs
	float buildTimeM = 1.0f;
	bool canReceiveMoneyLetters = false;
	bool canBuildingsBroke = true;
	float pyramidIncomeBonus = 0.0f; // percent
	float stationIncomeBonus1 = 0.0f;
	float stationIncomeBonus2 = 0.0f;
	float aquaParkIncomeBonus = 0.0f;
	float prIncomeBonus = 0.0f;
	float buyNotForSaleBuildingPriceBonus = 0.0f;
	float buyBuildingPriceDiscount = 0.0f;
	float ownedBuildingPriceBonus = 0.0f;
	float guestsCountM = 1.0f;

	// Every field back to the value it has with no modifier in force.
	void reset() { *this = GLevelModifierValues(); }
};
