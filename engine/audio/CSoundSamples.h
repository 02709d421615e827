#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

#include <vector>

class CSoundStream;

// A whole sound decoded into memory.
class CSoundSamples : public virtual ReferenceCounted
{
public:
	// Decodes the whole stream; getData() is null when that failed or came short.
	explicit CSoundSamples(CSoundStream* stream);

	const irr::core::stringc& getName() const { return name; }
	int getChannels() const { return channels; }
	int getSampleRate() const { return sampleRate; }
	int getFormat() const { return format; }
	long long getLength() const { return length; }
	const unsigned char* getData() const { return data.empty() ? nullptr : data.data(); }
	size_t getDataSize() const { return data.size(); }

	// Decodes larger than this always stream, so a lying header never makes us allocate gigabytes.
	static constexpr unsigned long long MaxBytes = 64ull << 20;

private:
	irr::core::stringc name;
	int channels = 0;
	int sampleRate = 0;
	int format = 0;
	long long length = 0;
	std::vector<unsigned char> data;
};
