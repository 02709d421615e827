#include "NameRegistry.h"

#include "Singleton.h"
#include "StringId.h"
#include "TextUtils.h"

#include <string_view>

NameRegistry::NameRegistry()
{
	nameToId.emplace(std::string(), -1);
	idToName.emplace(-1, irr::core::stringc());
}

int NameRegistry::intern(const char* name)
{
	const std::string_view key(name ? name : "");
	auto found = nameToId.find(key);
	if (found != nameToId.end())
		return found->second;
	nameToId.emplace(std::string(key), lastId + 1);
	++lastId;
	idToName.emplace(lastId, irr::core::stringc(name));
	return lastId;
}

const irr::core::stringc* NameRegistry::find(int id) const
{
	auto it = idToName.find(id);
	return it == idToName.end() ? nullptr : &it->second;
}

StringId internStringId(const char* name) { return StringId(Singleton<StringIdRegistry>::instance()->intern(name)); }

StringId internStringId(const irr::core::stringc& name) { return internStringId(name.c_str()); }

const irr::core::stringc& getStringById(StringId id)
{
	const irr::core::stringc* name = Singleton<StringIdRegistry>::instance()->find(id.id);
	return name ? *name : emptyStringC();
}
