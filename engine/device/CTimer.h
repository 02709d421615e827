#pragma once

#include "core/ReferenceCounted.h"

#include <functional>

// Virtual millisecond clock that stands still while stopped; reads the real clock only on tick.
class CTimer : public virtual ReferenceCounted
{
public:
	using RealClock = std::function<unsigned()>;

	// The default clock is the monotonic system clock.
	explicit CTimer(RealClock clock = RealClock());

	// Advances the timer's idea of now (once per main-loop pass).
	void tick();
	unsigned getTime() const { return virtualTime; }
	void setTime(unsigned time) { virtualTime = time; }
	unsigned getRealTime() const;
	void stop();
	void start();
	bool isStopped() const { return stopped; }

private:
	RealClock clock;
	unsigned virtualTime = 0;
	unsigned lastReal = 0;
	bool stopped = false;
};
