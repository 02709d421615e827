#include "COggSoundStreamLoader.h"

#include "COggSoundStream.h"

#include <cstring>

bool COggSoundStreamLoader::isLoadableFileExtension(const char* fileName) const
{
	return fileName && std::strstr(fileName, ".ogg") != nullptr;
}

bool COggSoundStreamLoader::isLoadableFile(IReadFile* file) const
{
	OggVorbis_File decoder;
	if (!COggSoundStream::openDecoder(file, decoder))
		return false;
	const bool hasInfo = ov_info(&decoder, -1) != nullptr;
	ov_clear(&decoder);
	return hasInfo;
}

CSoundStream* COggSoundStreamLoader::createStream(IReadFile* file, const ContentRef&)
{
	if (!file)
		return nullptr;
	COggSoundStream* stream = new COggSoundStream(file);
	if (stream->getLength() == 0)
	{
		stream->drop();
		return nullptr;
	}
	return stream;
}
