#pragma once

#include "core/EventReceiver.h"

#include <irrlicht/irrTypes.h>

// Base of the timed work on the level map (building, demolition, repairs, services, features, clouds):
// the level scene updates it every tick and drops it once update reports it finished.
class GLevelProcess : public EventReceiver
{
public:
	GLevelProcess();
	~GLevelProcess() override;

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	// The fraction of the work done, 0 to 1.
	virtual float getProgress() const = 0;
	// Advances the work by the tick's elapsed ms; false once it has finished.
	virtual bool update(irr::u32 elapsed) = 0;
	// Asks the work to stop; the process restores what it changed and ends at a later update.
	virtual void cancel() {}
};
