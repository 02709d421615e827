#pragma once

#include "core/ContentRef.h"
#include "core/ReferenceCounted.h"

class CSoundStream;
class IReadFile;

// Decoder factory for one sound file format.
class ISoundStreamLoader : public virtual ReferenceCounted
{
public:
	virtual bool isLoadableFileExtension(const char* fileName) const = 0;
	// Decides from the content; the caller rewinds the file afterwards.
	virtual bool isLoadableFile(IReadFile* file) const = 0;
	// A new stream with one reference, or null (never a stream of length 0).
	virtual CSoundStream* createStream(IReadFile* file, const ContentRef& reference) = 0;
};
