#pragma once

#include <string>
#include <vector>

// Writes rendered samples as a 16-bit PCM WAV or an Ogg Vorbis file.
class SoundFileWriter
{
public:
	SoundFileWriter(int sampleRate, int channels) : sampleRate(sampleRate), channels(channels) {}

	// Picks the format by the extension (".wav" or ".ogg"); false with a reason on failure.
	bool write(const std::string& path, const std::vector<float>& samples, double quality, std::string& error) const;

	bool writeWav(const std::string& path, const std::vector<float>& samples, std::string& error) const;
	bool writeOgg(const std::string& path, const std::vector<float>& samples, double quality, std::string& error) const;

private:
	int sampleRate;
	int channels;
};
