#include "NameRegistry.h"

#include "NarrowFast.h"
#include "Singleton.h"
#include "StringId.h"
#include "TextUtils.h"

#include <cstring>

NameRegistry::NameRegistry() : slots(64)
{
	idToName.emplace(-1, irr::core::stringc());
}

uint64_t NameRegistry::hashOf(const char* text, size_t length)
{
	// FNV-1a over the bytes: names are short.
	uint64_t hash = 14695981039346656037ull;
	for (size_t i = 0; i < length; ++i)
	{
		hash ^= static_cast<unsigned char>(text[i]);
		hash *= 1099511628211ull;
	}
	return hash;
}

void NameRegistry::insertSlot(const Slot& slot)
{
	const size_t mask = slots.size() - 1;
	size_t index = static_cast<size_t>(slot.hash) & mask;
	while (slots[index].text)
		index = (index + 1) & mask;
	slots[index] = slot;
	++usedSlots;
}

int NameRegistry::intern(const char* name)
{
	// The empty name, asked for with every content reference of no name, needs no lookup.
	if (!name || !*name)
		return -1;
	const size_t length = std::strlen(name);
	const uint64_t hash = hashOf(name, length);
	const size_t mask = slots.size() - 1;
	for (size_t index = static_cast<size_t>(hash) & mask; slots[index].text; index = (index + 1) & mask)
	{
		const Slot& slot = slots[index];
		if (slot.hash == hash && slot.length == length && std::memcmp(slot.text, name, length) == 0)
			return slot.id;
	}
	++lastId;
	const irr::core::stringc& stored = idToName.emplace(lastId, irr::core::stringc(name)).first->second;
	if ((usedSlots + 1) * 2 > slots.size())
	{
		std::vector<Slot> old(slots.size() * 2);
		old.swap(slots);
		usedSlots = 0;
		for (const Slot& slot : old)
		{
			if (slot.text)
				insertSlot(slot);
		}
	}
	insertSlot(Slot{hash, stored.c_str(), length, lastId});
	return lastId;
}

const irr::core::stringc* NameRegistry::find(int id) const
{
	auto it = idToName.find(id);
	return it == idToName.end() ? nullptr : &it->second;
}

StringId internStringId(const char* name) { return StringId(Singleton<StringIdRegistry>::instance()->intern(name)); }

StringId internStringId(const irr::core::stringc& name) { return internStringId(name.c_str()); }

StringId internWideStringId(const irr::core::stringw& name)
{
	// Short ASCII names (nearly all) narrow on the stack: a lookup makes no string.
	char text[64];
	const irr::u32 length = name.size();
	if (length >= sizeof(text) || !isPlainAscii(name))
		return internStringId(narrowFast(name));
	const wchar_t* characters = name.c_str();
	for (irr::u32 i = 0; i < length; ++i)
		text[i] = static_cast<char>(characters[i]);
	text[length] = 0;
	return internStringId(text);
}

const irr::core::stringc& getStringById(StringId id)
{
	const irr::core::stringc* name = Singleton<StringIdRegistry>::instance()->find(id.id);
	return name ? *name : emptyStringC();
}
