// Decodes arbitrary bytes as an Ogg Vorbis file, reading every frame.
#include "audio/COggSoundStreamLoader.h"
#include "audio/CSoundStream.h"
#include "content/CMemoryFile.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::vector<uint8_t> copy(data, data + size);
	CMemoryFile* file = new CMemoryFile(copy.data(), static_cast<long>(copy.size()), "fuzz.ogg", false);
	COggSoundStreamLoader loader;
	if (CSoundStream* stream = loader.createStream(file, ContentRef()))
	{
		std::vector<uint8_t> chunk(static_cast<size_t>(4096) * stream->getFrameSize());
		// Decode through twice: rewinding seeks inside the damaged file too.
		for (int pass = 0; pass < 2 && stream->rewind(); ++pass)
		{
			while (stream->read(chunk.data(), 4096) > 0)
			{
			}
		}
		stream->drop();
	}
	file->drop();
	return 0;
}
