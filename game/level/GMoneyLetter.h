#pragma once

#include "core/ReferenceCounted.h"

class GBuildingNode;

// The money a letter node carries: the user object of one money letter shown on a building.
class GMoneyLetter : public virtual ReferenceCounted
{
public:
	GMoneyLetter(int amount, int life, GBuildingNode* building) : amount(amount), life(life), building(building) {}

	int amount = 0;                    // money paid when the letter is collected
	int elapsed = 0;                   // ms shown
	int life = 0;                      // ms until it expires
	GBuildingNode* building = nullptr; // the building the letter sits on; it owns the letter node
};
