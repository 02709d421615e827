#include "CWavSoundStreamLoader.h"

#include "CWavSoundStream.h"

#include <cstring>

bool CWavSoundStreamLoader::isLoadableFileExtension(const char* fileName) const
{
	return fileName && std::strstr(fileName, ".wav") != nullptr;
}

bool CWavSoundStreamLoader::isLoadableFile(IReadFile* file) const
{
	WavDescription description;
	return description.parse(file);
}

CSoundStream* CWavSoundStreamLoader::createStream(IReadFile* file, const ContentRef&)
{
	if (!file)
		return nullptr;
	CWavSoundStream* stream = new CWavSoundStream(file);
	if (stream->getLength() == 0)
	{
		stream->drop();
		return nullptr;
	}
	return stream;
}
