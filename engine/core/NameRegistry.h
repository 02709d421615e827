#pragma once

#include <irrlicht/irrString.h>

#include <map>
#include <string_view>
#include <unordered_map>

// Interns names to ids growing from 1 in first-seen order; the empty name is -1.
class NameRegistry
{
public:
	NameRegistry();
	NameRegistry(const NameRegistry&) = delete;
	NameRegistry& operator=(const NameRegistry&) = delete;

	int intern(const char* name);
	// The registered name, or null for an id never handed out.
	const irr::core::stringc* find(int id) const;
	int getLastId() const { return lastId; }

private:
	// The keys view the names held by idToName, whose entries never move: a lookup makes no string.
	std::unordered_map<std::string_view, int> nameToId;
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
