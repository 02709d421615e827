#pragma once

#include "GRandomEvent.h"

// A random event that sends its request every PeriodRange (the first time after FirstTimeRange) until
// the life drawn from LastTimeRange has passed; without LastTimeRange it runs for the whole level.
class GRegularRandomEvent : public GRandomEvent
{
public:
	using GRandomEvent::GRandomEvent;

	bool run(unsigned elapsed) override;
	void start(EventReceiver* target, TaskScheduler* scheduler) override;
	void read(IXMLReader* reader) override;

	int getCountdown() const { return countdown; }
	int getLife() const { return life; }

private:
	int countdown = 0;    // ms
	int life = 0;         // ms left, when limited
	bool limited = false; // a LastTimeRange was given
	irr::core::vector2di firstTimeRange;
	irr::core::vector2di lastTimeRange;
	irr::core::vector2di periodRange;
};
