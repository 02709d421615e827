#pragma once

#include "content/CVideoDriverProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"

// Processor of "font": bitmap fonts read from their XML description.
class CFontProcessor : public CVideoDriverProcessor
{
public:
	CFontProcessor(IFileSystem* fs, irr::video::IVideoDriver* driver)
	    : CVideoDriverProcessor(driver), fileSystem(shareRef(fs))
	{
	}

	ContentType getContentType() const override { return ContentTypeFont; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;

private:
	SmartPointer<IFileSystem> fileSystem;
};
