#include "CTimer.h"

#include <chrono>

namespace
{
unsigned steadyMilliseconds()
{
	using namespace std::chrono;
	return static_cast<unsigned>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
} // namespace

CTimer::CTimer(RealClock c) : clock(c ? std::move(c) : RealClock(steadyMilliseconds)) { lastReal = clock(); }

void CTimer::tick()
{
	unsigned real = clock();
	if (!stopped)
		virtualTime += real - lastReal;
	lastReal = real;
}

unsigned CTimer::getRealTime() const { return clock(); }

void CTimer::stop()
{
	if (stopped)
		return;
	tick();
	stopped = true;
}

void CTimer::start()
{
	if (!stopped)
		return;
	lastReal = clock();
	stopped = false;
}
