#include "COpenALBuffer.h"

#include "COpenALAudioDevice.h"
#include "CSoundSamples.h"
#include "CSoundStream.h"
#include "core/ILogger.h"

#include <AL/al.h>

int openALFormatOf(int formatCode)
{
	switch (formatCode)
	{
	case SoundFormatMono8:
		return AL_FORMAT_MONO8;
	case SoundFormatStereo8:
		return AL_FORMAT_STEREO8;
	case SoundFormatMono16:
		return AL_FORMAT_MONO16;
	case SoundFormatStereo16:
		return AL_FORMAT_STEREO16;
	case SoundFormatRear16:
		return alGetEnumValue("AL_FORMAT_REAR16");
	case SoundFormatQuad16:
		return alGetEnumValue("AL_FORMAT_QUAD16");
	case SoundFormat51Chn16:
		return alGetEnumValue("AL_FORMAT_51CHN16");
	case SoundFormat61Chn16:
		return alGetEnumValue("AL_FORMAT_61CHN16");
	case SoundFormat71Chn16:
		return alGetEnumValue("AL_FORMAT_71CHN16");
	default:
		return 0;
	}
}

COpenALBuffer::COpenALBuffer(COpenALAudioDevice* d, CSoundSamples* s) : device(d), samples(s)
{
	if (device)
		device->grab();
	if (samples)
		samples->grab();
	const int alFormat = samples ? openALFormatOf(samples->getFormat()) : 0;
	if (alFormat == 0)
	{
		getLogger()->log("Unsupported OpenAL buffer format", 2);
		return;
	}
	if (!samples->getData() || samples->getDataSize() > 0x7FFFFFFF)
		return;
	alGetError();
	alGenBuffers(1, &buffer);
	alBufferData(buffer, alFormat, samples->getData(), static_cast<ALsizei>(samples->getDataSize()),
	             samples->getSampleRate());
	if (alGetError() != AL_NO_ERROR)
	{
		alDeleteBuffers(1, &buffer);
		buffer = 0;
	}
}

COpenALBuffer::~COpenALBuffer()
{
	if (buffer)
		alDeleteBuffers(1, &buffer);
	if (samples)
		samples->drop();
	if (device)
		device->drop();
}
