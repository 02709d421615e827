#include "NameRegistry.h"

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

const irr::core::stringc& getStringById(StringId id)
{
	const irr::core::stringc* name = Singleton<StringIdRegistry>::instance()->find(id.id);
	return name ? *name : emptyStringC();
}
