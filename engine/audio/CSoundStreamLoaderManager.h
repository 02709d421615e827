#pragma once

#include "core/ContentRef.h"
#include "core/ReferenceCounted.h"
#include "core/Singleton.h"

#include <vector>

class CSoundStream;
class IReadFile;
class ISoundStreamLoader;

// Process-wide registry that picks the decoder for a sound file (WAV first, then Ogg).
class CSoundStreamLoaderManager : public virtual ReferenceCounted
{
public:
	CSoundStreamLoaderManager();
	~CSoundStreamLoaderManager() override;

	static CSoundStreamLoaderManager* instance() { return Singleton<CSoundStreamLoaderManager>::instance(); }

	// Tries the loaders by file name first, then by content; a new stream with one reference, or null.
	CSoundStream* createStream(IReadFile* file, const ContentRef& reference = ContentRef());

private:
	std::vector<ISoundStreamLoader*> loaders;
};
