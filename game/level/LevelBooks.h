#pragma once

#include <functional>

// Why a command of the level did not act; None when it may.
enum class CommandRefusal
{
	None,
	NoBuilding,   // no building, or one without a record
	NoRecord,     // no record to build, or no next level to upgrade to
	NoCargosNode, // the level has nowhere to put vehicles and workers
	WorkRunning,  // the building's previous work has not ended
	NotOwned,
	AlreadyOwned,
	NotEmptyPlace,   // building needs an empty place
	EmptyPlace,      // the command needs something standing on the place
	NotWorking,      // an upgrade needs a working building
	WrongCondition,  // not broken, dirty, run-down or asking for a service as the command needs
	NoServer,        // nobody provides the service asked for
	FeatureNotReady, // not allowed, active or recharging
	NotForSale,
	NoBuyer,
	SaleClosed,    // the level lets no building be sold
	NothingToStop, // no build, demolition or worker job runs that could be called off
	NoMoney,
	NoMaterials,
	NoWorkers,
	OrderRunning, // a material or worker order has not been delivered yet
	NoOffer,
};

// What a command takes from the player's stock.
struct CommandCost
{
	float money = 0.0f;
	float materials = 0.0f;
	int workers = 0;
};

// Whether the stock pays the cost in full; which part is short first: money, materials, workers.
CommandRefusal checkCost(float money, float materials, int freeWorkers, const CommandCost& cost);

// Counts an order's time left down by multiplier x dt (a multiplier above 1 delivers sooner); true
// in the step it runs out, when time left becomes -1. An order with time left below 0 is none.
bool advanceOrder(float& timeLeft, float multiplier, float dt);

// The money a letter carries for a building of that income: the hundreds of income x r % plus 100.
int letterAmount(float income, float r);

// The stars a rating reaches when star i costs step(i) rating points more (i from 1). A step of 0 or
// below ends the count, so a misconfigured line of steps can never hold the game.
int ratingStars(float rating, const std::function<int(unsigned)>& step);
