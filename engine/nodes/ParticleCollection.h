#pragma once

#include "content/ContentObject.h"

#include <irrlicht/irrString.h>
#include <map>

class BaseEmitter;
class IXMLReader;

// A particle collection file's emitters by name; loading caches each named emitter as "pemt"
// content. Read anew on every request, never cached itself.
class ParticleCollection : public ContentObject
{
public:
	explicit ParticleCollection(const ContentRef& reference = ContentRef());
	~ParticleCollection() override;

	ParticleCollection(const ParticleCollection&) = delete;
	ParticleCollection& operator=(const ParticleCollection&) = delete;

	ContentType getContentType() const override { return ContentTypeParticleCollection; }

	// Reads "ParticleEmitter" elements up to the closing "ParticleCollection".
	void load(IXMLReader* reader);
	void clear();

	// Null when no emitter of that name was read; no reference is added.
	BaseEmitter* findEmitter(const irr::core::stringc& name) const;
	const std::map<irr::core::stringc, BaseEmitter*>& getEmitters() const { return emitters; }

private:
	void loadEmitter(IXMLReader* reader);

	std::map<irr::core::stringc, BaseEmitter*> emitters;
};
