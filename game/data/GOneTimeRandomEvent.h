#pragma once

#include "GRandomEvent.h"

// A random event that sends its request once, when its TimeRange countdown reaches 0.
class GOneTimeRandomEvent : public GRandomEvent
{
public:
	using GRandomEvent::GRandomEvent;

	bool run(unsigned elapsed) override;
	void start(EventReceiver* target, TaskScheduler* scheduler) override;
	void read(IXMLReader* reader) override;

	int getCountdown() const { return countdown; }

private:
	int countdown = 0; // ms
	irr::core::vector2di timeRange;
};
