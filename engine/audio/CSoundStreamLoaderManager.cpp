#include "CSoundStreamLoaderManager.h"

#include "COggSoundStreamLoader.h"
#include "CSoundStream.h"
#include "CWavSoundStreamLoader.h"
#include "content/IReadFile.h"

CSoundStreamLoaderManager::CSoundStreamLoaderManager()
{
	loaders.push_back(new CWavSoundStreamLoader());
	loaders.push_back(new COggSoundStreamLoader());
}

CSoundStreamLoaderManager::~CSoundStreamLoaderManager()
{
	for (ISoundStreamLoader* loader : loaders)
		loader->drop();
}

CSoundStream* CSoundStreamLoaderManager::createStream(IReadFile* file, const ContentRef& reference)
{
	if (!file)
		return nullptr;

	const char* name = file->getFileName().c_str();
	for (ISoundStreamLoader* loader : loaders)
	{
		if (!loader->isLoadableFileExtension(name))
			continue;
		file->seek(0);
		if (CSoundStream* stream = loader->createStream(file, reference))
			return stream;
	}

	for (ISoundStreamLoader* loader : loaders)
	{
		file->seek(0);
		if (!loader->isLoadableFile(file))
			continue;
		file->seek(0);
		if (CSoundStream* stream = loader->createStream(file, reference))
			return stream;
	}
	return nullptr;
}
