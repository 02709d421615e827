#pragma once

#include <irrlicht/irrString.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

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
	// One name of the lookup table: its hash, where its text is kept (by idToName, whose entries
	// never move) and its id. A loader interns a name per node: a lookup reads one slot and, on a
	// hash match, the text, rather than a chain of list nodes.
	struct Slot
	{
		uint64_t hash = 0;
		const char* text = nullptr;
		size_t length = 0;
		int id = 0;
	};

	static uint64_t hashOf(const char* text, size_t length);
	void insertSlot(const Slot& slot);

	// Open addressing with linear probing; the size is a power of two, at most half used.
	std::vector<Slot> slots;
	size_t usedSlots = 0;
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
