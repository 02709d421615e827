#pragma once

#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrString.h>

class CXMLReader;
class SoundPack;

// Processor of "sndp": sound packs read from their XML description.
class CSoundPackProcessor : public IContentProcessor
{
public:
	explicit CSoundPackProcessor(IFileSystem* fs) : fileSystem(shareRef(fs)) {}

	ContentType getContentType() const override { return ContentTypeSoundPack; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	// Sound packs are authored by hand: saving reports success and writes nothing.
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;

private:
	SmartPointer<IFileSystem> fileSystem;
};

// A sound pack read in parts, for a caller that spreads it over frames: each part reads a few cues. The processor's
// load is the same reading in one part, so a pack read in parts ends up logged as one the processor loads whole.
class SoundPackLoading : public ReferenceCounted
{
public:
	// Opens name (not relative) through the manager's file system; the whole pack is cached in the manager.
	SoundPackLoading(CContentManager* manager, const irr::core::stringc& name);
	// Reads the open file through files as the content of reference; the caller keeps the whole pack.
	SoundPackLoading(CContentManager* manager, IFileSystem* files, IReadFile* file, const ContentRef& reference);
	~SoundPackLoading() override;
	SoundPackLoading(const SoundPackLoading&) = delete;
	SoundPackLoading& operator=(const SoundPackLoading&) = delete;

	// False when the file does not open or is not a sound pack: no part will read anything.
	bool isOpen() const { return pack != nullptr; }
	// Reads up to cueBudget cues; true once the pack is whole (logged, and cached when opened by name, by then).
	bool loadPart(unsigned cueBudget);
	SoundPack* getPack() const { return pack.get(); }

private:
	void open(IFileSystem* files, IReadFile* file, const ContentRef& reference);

	CContentManager* manager; // may be null: the sounds are then not loaded
	irr::core::stringc fileName;
	SmartPointer<CXMLReader> reader;
	SmartPointer<SoundPack> pack;
	bool cacheWhenWhole;
};
