#pragma once

#include "core/CPropertyCollection.h"

class CProfileManager;

// One set of saved player data (a player, the common or the global profile, or defaults).
class CProfile : public CPropertyCollection
{
public:
	explicit CProfile(const irr::core::stringw& name = L"", CProfileManager* owner = nullptr);

	const irr::core::stringw& getName() const { return name; }
	CProfileManager* getOwner() const { return owner; }
	// The manager forgets its profiles when it goes away.
	void setOwner(CProfileManager* manager) { owner = manager; }

	// Saves the file that holds this profile through the owner; false without one.
	bool save();
	// Adds copies of the items of other whose names this profile lacks; present items stay.
	void merge(const CPropertyCollection& other);
	// Replaces the items with copies of other's (all of them, in order).
	void assign(const CPropertyCollection& other);

	// Reads the "Parameters" element the reader stands on.
	bool read(IXMLReader* reader);
	// Writes the items as a "Parameters" element, one per line.
	bool write(IXMLWriter* writer) const;

private:
	irr::core::stringw name;
	CProfileManager* owner;
};
