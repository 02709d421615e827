#include "CSoundStream.h"

int bytesPerSampleOf(int formatCode)
{
	return formatCode == SoundFormatMono8 || formatCode == SoundFormatStereo8 ? 1 : 2;
}

int CSoundStream::read(void*, int) { return 0; }
