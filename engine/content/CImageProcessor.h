#pragma once

#include "content/IContentProcessor.h"

// Processor of "imag": decoded images through the image loaders and writers.
class CImageProcessor : public IContentProcessor
{
public:
	ContentType getContentType() const override { return ContentTypeImage; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	// saveParameter: the address of an integer quality for the writer, or null for its default.
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;
};
