#pragma once

#include "core/ReferenceCounted.h"

class COpenALAudioDevice;
class CSoundSamples;

// The OpenAL format of a stream format code; 0 when unsupported (or unknown to this OpenAL).
int openALFormatOf(int formatCode);

// One OpenAL buffer holding a whole decoded sound; shared by the clones of a static sound.
class COpenALBuffer : public virtual ReferenceCounted
{
public:
	COpenALBuffer(COpenALAudioDevice* device, CSoundSamples* samples);
	~COpenALBuffer() override;

	// 0 when the format was unsupported.
	unsigned getBuffer() const { return buffer; }
	CSoundSamples* getSamples() const { return samples; }

private:
	// Keeps the device (and its context) alive while the buffer exists.
	COpenALAudioDevice* device;
	CSoundSamples* samples;
	unsigned buffer = 0;
};
