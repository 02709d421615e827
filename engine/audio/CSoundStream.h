#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

// Format codes shared by the decoders and the OpenAL layer.
enum SoundFormatCode
{
	SoundFormatUnsupported = 0,
	SoundFormatMono8 = 1,
	SoundFormatStereo8 = 2,
	SoundFormatMono16 = 3,
	SoundFormatStereo16 = 4,
	SoundFormatRear16 = 5,
	SoundFormatQuad16 = 6,
	SoundFormat51Chn16 = 7,
	SoundFormat61Chn16 = 8,
	SoundFormat71Chn16 = 9,
};

// 1 for the 8-bit codes, else 2.
int bytesPerSampleOf(int formatCode);

// A decoded sound as interleaved PCM frames (16-bit signed LE or 8-bit unsigned); base of the decoders.
class CSoundStream : public virtual ReferenceCounted
{
public:
	// Back to the first frame.
	virtual bool rewind() { return true; }
	// Reads up to `frames` whole frames into buffer; returns the frames read.
	virtual int read(void* buffer, int frames);

	const irr::core::stringc& getName() const { return name; }
	int getChannels() const { return channels; }
	int getSampleRate() const { return sampleRate; }
	int getFormat() const { return format; }
	// 64-bit: long Ogg streams exceed 2^31 frames' worth of bytes.
	long long getLength() const { return length; }
	int getBytesPerSample() const { return bytesPerSampleOf(format); }
	int getFrameSize() const { return bytesPerSampleOf(format) * channels; }

protected:
	irr::core::stringc name;
	int channels = 0;
	int sampleRate = 0;
	int format = SoundFormatUnsupported;
	long long length = 0;
};
