#pragma once

#include "content/IReadFile.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A read-only file over a copy of some bytes.
class MemoryReadFile : public IReadFile
{
public:
	MemoryReadFile(std::string name, std::vector<uint8_t> bytes);

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getSize() const override { return static_cast<long>(data.size()); }
	long getPos() const override { return pos; }
	const irr::core::stringc& getFileName() const override { return name; }

private:
	irr::core::stringc name;
	std::vector<uint8_t> data;
	long pos = 0;
};

// Named sound files a test device opens by name.
class SoundFileStore
{
public:
	void add(const std::string& name, std::vector<uint8_t> bytes) { files[name] = std::move(bytes); }
	// A new file with one reference, or null.
	IReadFile* open(const char* name) const;

private:
	std::map<std::string, std::vector<uint8_t>> files;
};

// Describes a WAV file to build.
struct WavSpec
{
	uint16_t formatTag = 1;
	uint16_t channels = 1;
	uint32_t rate = 22050;
	uint16_t bits = 16;
	bool extensible = false;
	uint32_t channelMask = 4;
	bool pcmSubFormat = true;
	// Sample frames of a sine; data bytes = frames x channels x bits / 8.
	uint32_t frames = 100;
};

std::vector<uint8_t> makeWav(const WavSpec& spec);
// The raw PCM bytes makeWav puts in the data chunk.
std::vector<uint8_t> makeWavData(const WavSpec& spec);
// An Ogg Vorbis file of a sine per channel (channel c at amplitude amplitudes[c]).
std::vector<uint8_t> makeOgg(int channels, int rate, int frames, const std::vector<float>& amplitudes = {},
                             double frequency = 440.0);

void appendLe16(std::vector<uint8_t>& out, uint16_t v);
void appendLe32(std::vector<uint8_t>& out, uint32_t v);
void appendId(std::vector<uint8_t>& out, const char* id);
