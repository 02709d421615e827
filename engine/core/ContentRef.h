#pragma once

#include <irrlicht/irrString.h>

class CContentManager;

// Owning content manager (not grabbed) and the interned content name.
class ContentRef
{
public:
	ContentRef() = default;
	ContentRef(CContentManager* manager, const char* name);

	const irr::core::stringc& getName() const;
	int getNameId() const { return nameId; }
	CContentManager* getContentManager() const { return manager; }

	bool operator==(const ContentRef& o) const { return manager == o.manager && nameId == o.nameId; }

private:
	CContentManager* manager = nullptr;
	int nameId = -1;
};

int internContentName(const char* name);
const irr::core::stringc& getContentNameById(int id);
