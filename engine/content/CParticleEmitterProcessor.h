#pragma once

#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"

// Processor of "pemt": one particle emitter read from its XML description.
class CParticleEmitterProcessor : public IContentProcessor
{
public:
	explicit CParticleEmitterProcessor(IFileSystem* fs) : fileSystem(shareRef(fs)) {}

	ContentType getContentType() const override { return ContentTypeParticleEmitter; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	// Refused with a warning.
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;

private:
	SmartPointer<IFileSystem> fileSystem;
};
