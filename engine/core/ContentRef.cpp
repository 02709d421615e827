#include "ContentRef.h"

#include "NameRegistry.h"
#include "Singleton.h"
#include "TextUtils.h"

ContentRef::ContentRef(CContentManager* m, const char* name) : manager(m), nameId(internContentName(name)) {}

const irr::core::stringc& ContentRef::getName() const { return getContentNameById(nameId); }

int internContentName(const char* name) { return Singleton<ContentNameRegistry>::instance()->intern(name); }

const irr::core::stringc& getContentNameById(int id)
{
	const irr::core::stringc* name = Singleton<ContentNameRegistry>::instance()->find(id);
	return name ? *name : emptyStringC();
}
