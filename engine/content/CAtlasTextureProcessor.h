#pragma once

#include "content/CVideoDriverProcessor.h"

// Processor of "atex": one atlas frame covering the whole "itex" texture of a picture file.
class CAtlasTextureProcessor : public CVideoDriverProcessor
{
public:
	explicit CAtlasTextureProcessor(irr::video::IVideoDriver* driver) : CVideoDriverProcessor(driver) {}

	ContentType getContentType() const override { return ContentTypeAtlasTexture; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;
};
