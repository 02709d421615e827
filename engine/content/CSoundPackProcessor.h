#pragma once

#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"

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
