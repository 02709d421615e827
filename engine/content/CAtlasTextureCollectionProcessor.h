#pragma once

#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"

// Processor of "atxc": texture atlas list files, read and written as XML.
class CAtlasTextureCollectionProcessor : public IContentProcessor
{
public:
	explicit CAtlasTextureCollectionProcessor(IFileSystem* fs) : fileSystem(shareRef(fs)) {}

	ContentType getContentType() const override { return ContentTypeAtlasTextureCollection; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;

private:
	SmartPointer<IFileSystem> fileSystem;
};
