#pragma once

#include "ISoundStreamLoader.h"

// Makes Ogg Vorbis streams; takes names containing ".ogg" and files vorbisfile opens.
class COggSoundStreamLoader : public ISoundStreamLoader
{
public:
	bool isLoadableFileExtension(const char* fileName) const override;
	bool isLoadableFile(IReadFile* file) const override;
	CSoundStream* createStream(IReadFile* file, const ContentRef& reference) override;
};
