#pragma once

// The timing of one feature of a building: idle, active or recharging.
struct GFeatureState
{
	enum State
	{
		Idle = 0,
		Active = 1,
		Recharging = 2,
	};

	int state = Idle;
	int remaining = 0;    // ms of the active or recharging time still to run
	int paymentTimer = 0; // ms to the next payment of a paying feature
	bool paying = false;
};
