#pragma once

#include "core/IScheduledTask.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/vector2d.h>

class CEvent;
class EventReceiver;
class IXMLReader;

// A timed happening of a level (an Event element): a task on the level's scheduler that counts down in
// game time and sends its request to the level when its moment comes.
class GRandomEvent : public IScheduledTask
{
public:
	// How often the countdowns move, in ms.
	static constexpr unsigned RunPeriod = 500;

	// requestType is the id of the request it sends (GEventSellBuildingRequest ... GEventWeatherRequest).
	explicit GRandomEvent(int requestType);

	// Arms the countdowns, keeps the target and moves the task to the scheduler.
	virtual void start(EventReceiver* target, TaskScheduler* scheduler) = 0;
	// Forgets the target and leaves the scheduler; the event can be started again.
	virtual void stop();
	// Takes the attributes of the Event element the reader stands on.
	virtual void read(IXMLReader* reader);

	void setPaused(bool value) { paused = value; }
	bool isPaused() const { return paused; }
	int getRequestType() const { return requestType; }
	const irr::core::vector2df& getMoneyRange() const { return moneyRange; }
	const irr::core::vector2di& getDurationTimeRange() const { return durationTimeRange; }

	// A value in [min, max) of the range, min when both are equal; a range written the wrong way round (or
	// a single number, which leaves max at 0) is taken between its two numbers.
	static int pickInRange(const irr::core::vector2di& range);

protected:
	// A range of ms through the number gate; a refused one keeps the fallback.
	static irr::core::vector2di readTimeRange(IXMLReader* reader, const wchar_t* name,
	                                          const irr::core::vector2di& fallback);
	// A countdown or life drawn from the range: never below 0, since time only runs forward.
	static int pickDuration(const irr::core::vector2di& range);
	// The value less the elapsed ms, held at the int range's bottom.
	static int elapse(int value, unsigned elapsed);
	// Offers a new request to the target and, when it is not taken there, to the target's parents.
	void sendRequest();

	EventReceiver* target = nullptr; // the level, which stops its events before it goes
	bool paused = false;

private:
	CEvent* createRequest() const;

	int requestType;
	irr::core::array<StringId> buildingTypes;
	irr::core::array<StringId> placeNames;
	irr::core::vector2df moneyRange;        // letters
	irr::core::vector2df waitTimeRange;     // letters, ms
	irr::core::vector2di durationTimeRange; // weather, ms
};
