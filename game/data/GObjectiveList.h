#pragma once

#include "GObjective.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

class IXMLReader;

// A new objective of the Type name (exact), or null for a name that is not an objective.
SmartPointer<GObjective> createObjective(const irr::core::stringw& typeName);

// The objectives of one level, in file order.
class GObjectiveList : public virtual ReferenceCounted
{
public:
	GObjectiveList();
	~GObjectiveList() override;

	// Replaces the list with the Objective elements up to the end of the Objectives element the reader stands
	// on; unknown Types are skipped.
	void load(IXMLReader* reader);

	irr::u32 getCount() const { return objectives.size(); }
	GObjective* get(irr::u32 index) const { return objectives[index].get(); }

private:
	irr::core::array<SmartPointer<GObjective>> objectives;
};
