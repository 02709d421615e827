#pragma once

#include "ISoundStreamLoader.h"

// Makes WAV streams; takes names containing ".wav" and files whose RIFF chunks parse.
class CWavSoundStreamLoader : public ISoundStreamLoader
{
public:
	bool isLoadableFileExtension(const char* fileName) const override;
	bool isLoadableFile(IReadFile* file) const override;
	CSoundStream* createStream(IReadFile* file, const ContentRef& reference) override;
};
