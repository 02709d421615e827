#pragma once

#include "CSoundStream.h"

#include <vorbis/vorbisfile.h>

class IReadFile;

// Decodes an Ogg Vorbis file through vorbisfile, reading from an engine file.
class COggSoundStream : public CSoundStream
{
public:
	explicit COggSoundStream(IReadFile* file);
	~COggSoundStream() override;

	bool rewind() override;
	int read(void* buffer, int frames) override;

	// Opens the file with our callbacks; false when vorbisfile does not take it.
	static bool openDecoder(IReadFile* file, OggVorbis_File& decoder);

private:
	IReadFile* file = nullptr;
	OggVorbis_File decoder;
	bool opened = false;
};
