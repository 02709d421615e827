#pragma once

#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"

// Processor of "prtc": particle collections, each caching its named emitters as "pemt" content.
class CParticleCollectionProcessor : public IContentProcessor
{
public:
	explicit CParticleCollectionProcessor(IFileSystem* fs) : fileSystem(shareRef(fs)) {}

	ContentType getContentType() const override { return ContentTypeParticleCollection; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	// Refused with a warning.
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;

private:
	SmartPointer<IFileSystem> fileSystem;
};
