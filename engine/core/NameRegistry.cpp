#include "NameRegistry.h"

#include "Singleton.h"
#include "StringId.h"
#include "TextUtils.h"

NameRegistry::NameRegistry()
{
	nameToId.emplace(std::string(), -1);
	idToName.emplace(-1, irr::core::stringc());
}

int NameRegistry::intern(const char* name)
{
	auto inserted = nameToId.emplace(std::string(name ? name : ""), lastId + 1);
	if (!inserted.second)
		return inserted.first->second;
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
