#include "GOneTimeRandomEvent.h"

#include "LevelDataText.h"
#include "content/IXMLReader.h"

void GOneTimeRandomEvent::start(EventReceiver* newTarget, TaskScheduler* scheduler)
{
	countdown = pickDuration(timeRange);
	target = newTarget;
	setScheduler(scheduler);
}

bool GOneTimeRandomEvent::run(unsigned elapsed)
{
	if (paused)
		return true;
	countdown = elapse(countdown, elapsed);
	if (countdown > 0)
		return true;
	sendRequest();
	return false;
}

void GOneTimeRandomEvent::read(IXMLReader* reader)
{
	GRandomEvent::read(reader);
	timeRange = readTimeRange(reader, L"TimeRange", timeRange);
}
