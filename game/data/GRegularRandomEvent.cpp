#include "GRegularRandomEvent.h"

#include "LevelDataText.h"
#include "content/IXMLReader.h"

void GRegularRandomEvent::start(EventReceiver* newTarget, TaskScheduler* scheduler)
{
	const irr::core::vector2di none(0, 0);
	countdown = pickDuration(firstTimeRange != none ? firstTimeRange : periodRange);
	limited = lastTimeRange != none;
	if (limited)
		life = pickDuration(lastTimeRange);
	target = newTarget;
	setScheduler(scheduler);
}

bool GRegularRandomEvent::run(unsigned elapsed)
{
	if (paused)
		return true;
	if (limited)
	{
		// A life used up exactly on a tick ends the event too, so a life that is a whole number of ticks
		// is not taken for "no limit".
		life = elapse(life, elapsed);
		if (life <= 0)
			return false;
	}
	countdown = elapse(countdown, elapsed);
	if (countdown >= 0)
		return true;
	sendRequest();
	countdown = pickDuration(periodRange);
	return true;
}

void GRegularRandomEvent::read(IXMLReader* reader)
{
	GRandomEvent::read(reader);
	firstTimeRange = readTimeRange(reader, L"FirstTimeRange", firstTimeRange);
	lastTimeRange = readTimeRange(reader, L"LastTimeRange", lastTimeRange);
	periodRange = readTimeRange(reader, L"PeriodRange", periodRange);
}
