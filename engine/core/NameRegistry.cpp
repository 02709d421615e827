#include "NameRegistry.h"

#include "NarrowFast.h"
#include "Singleton.h"
#include "StringId.h"
#include "TextUtils.h"

NameRegistry::NameRegistry()
{
	const irr::core::stringc& empty = idToName.emplace(-1, irr::core::stringc()).first->second;
	nameToId.emplace(std::string_view(empty.c_str(), empty.size()), -1);
}

int NameRegistry::intern(const char* name)
{
	auto found = nameToId.find(std::string_view(name ? name : ""));
	if (found != nameToId.end())
		return found->second;
	++lastId;
	const irr::core::stringc& stored = idToName.emplace(lastId, irr::core::stringc(name)).first->second;
	nameToId.emplace(std::string_view(stored.c_str(), stored.size()), lastId);
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
