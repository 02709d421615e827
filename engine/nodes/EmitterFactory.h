#pragma once

#include "core/ContentRef.h"
#include "core/ReferenceCounted.h"
#include "core/Singleton.h"

#include <irrlicht/irrString.h>
#include <map>

class BaseEmitter;

// Makes a new emitter of one class (one reference for the caller).
using EmitterCreator = BaseEmitter* (*)(const ContentRef& reference);

// Process-wide registry turning the "Type" names of particle collections into new emitters.
class EmitterFactory : public virtual ReferenceCounted
{
public:
	static EmitterFactory* instance() { return Singleton<EmitterFactory>::instance(); }

	EmitterFactory();
	~EmitterFactory() override;

	// The first creator registered under a name stays.
	void registerEmitter(const irr::core::stringw& typeName, EmitterCreator creator);
	// Null for a name not registered (exact, case-sensitive).
	BaseEmitter* createEmitter(const irr::core::stringw& typeName, const ContentRef& reference) const;

private:
	std::map<irr::core::stringw, EmitterCreator> creators;
};
