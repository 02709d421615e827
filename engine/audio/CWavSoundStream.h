#pragma once

#include "CSoundStream.h"

#include <cstdint>

class IReadFile;

// What the RIFF chunks of a WAV file say about its sample data.
struct WavDescription
{
	enum Kind
	{
		KindNone = 0,
		KindPcm = 1,
		KindExtensible = 2,
	};

	int kind = KindNone;
	// The first 40 bytes of the "fmt " chunk.
	uint16_t formatTag = 0;
	uint16_t channels = 0;
	uint32_t sampleRate = 0;
	uint32_t byteRate = 0;
	uint16_t blockAlign = 0;
	uint16_t bitsPerSample = 0;
	uint16_t extensionSize = 0;
	uint16_t validBits = 0;
	uint32_t channelMask = 0;
	uint8_t subFormat[16] = {};
	uint32_t dataSize = 0;
	long dataPosition = 0;

	// Parses the chunks from the file's current position; clears itself on failure.
	bool parse(IReadFile* file);
	// The stream format code, 0 for layouts and sample types we do not play.
	int formatCode() const;
};

// Plays the data chunk of a PCM RIFF WAVE file.
class CWavSoundStream : public CSoundStream
{
public:
	explicit CWavSoundStream(IReadFile* file);
	~CWavSoundStream() override;

	bool rewind() override;
	int read(void* buffer, int frames) override;

	const WavDescription& getDescription() const { return description; }

private:
	IReadFile* file = nullptr;
	WavDescription description;
};
