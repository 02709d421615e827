#pragma once

#include <irrlicht/irrString.h>

#include <map>
#include <string>

// Interns names to ids growing from 1 in first-seen order; the empty name is -1.
class NameRegistry
{
public:
	NameRegistry();

	int intern(const char* name);
	// The registered name, or null for an id never handed out.
	const irr::core::stringc* find(int id) const;
	int getLastId() const { return lastId; }

private:
	// Transparent: looking a name up makes no string.
	std::map<std::string, int, std::less<>> nameToId;
	std::map<int, irr::core::stringc> idToName;
	int lastId = 0;
};

// Registry of ordinary names (nodes, states, events, cues, property keys).
class StringIdRegistry : public NameRegistry
{
};

// Registry of content (asset) names; independent of StringIdRegistry.
class ContentNameRegistry : public NameRegistry
{
};
