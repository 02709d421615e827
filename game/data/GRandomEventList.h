#pragma once

#include "GRandomEvent.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

class IXMLReader;

// A new random event of the Type name (exact), or null for a name that is not a random event.
SmartPointer<GRandomEvent> createRandomEvent(const irr::core::stringw& typeName);

// The random events of one level, in file order.
class GRandomEventList : public virtual ReferenceCounted
{
public:
	GRandomEventList();
	~GRandomEventList() override;

	// Replaces the list with the Event elements up to the end of the RandomEvents element the reader stands
	// on; unknown Types are skipped.
	void load(IXMLReader* reader);

	irr::u32 getCount() const { return events.size(); }
	GRandomEvent* get(irr::u32 index) const { return events[index].get(); }

private:
	void clear();

	irr::core::array<SmartPointer<GRandomEvent>> events;
};
