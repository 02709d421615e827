// Decodes arbitrary bytes as a WAV file, reading every frame.
#include "audio/CSoundSamples.h"
#include "audio/CSoundStream.h"
#include "audio/CWavSoundStreamLoader.h"
#include "content/CMemoryFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::vector<uint8_t> copy(data, data + size);
	CMemoryFile* file = new CMemoryFile(copy.data(), static_cast<long>(copy.size()), "fuzz.wav", false);
	CWavSoundStreamLoader loader;
	file->seek(0);
	loader.isLoadableFile(file);
	file->seek(0);
	if (CSoundStream* stream = loader.createStream(file, ContentRef()))
	{
		std::vector<uint8_t> chunk(static_cast<size_t>(4096) * stream->getFrameSize());
		while (stream->read(chunk.data(), 4096) > 0)
		{
		}
		CSoundSamples* samples = new CSoundSamples(stream);
		samples->drop();
		stream->drop();
	}
	file->drop();
	return 0;
}
