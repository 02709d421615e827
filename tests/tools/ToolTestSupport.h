#pragma once

#include "audio/COggSoundStream.h"
#include "audio/CSoundStream.h"
#include "audio/CWavSoundStream.h"
#include "content/CReadFile.h"
#include "core/SmartPointer.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <sys/wait.h>

// Folder of the built programs and content (bin/ of the build tree).
inline std::string builtProgramsFolder()
{
	const char* binary = std::getenv("TEST_BINARY_DIR");
	return std::string(binary ? binary : ".") + "/bin";
}

// Runs a content tool of this build; its exit status, or -1 when it did not exit normally.
inline int runTool(const std::string& tool, std::initializer_list<std::string> arguments)
{
	std::string command = "'" + builtProgramsFolder() + "/" + tool + "'";
	for (const std::string& argument : arguments)
		command += " '" + argument + "'";
	command += " 2>/dev/null";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The engine's decoder for a ".wav" or ".ogg" file; null when the file does not open or decode.
inline SmartPointer<CSoundStream> decodeSoundFile(const std::string& path)
{
	SmartPointer<CReadFile> file(new CReadFile(path.c_str()));
	if (!file->isOpen())
		return nullptr;
	SmartPointer<CSoundStream> stream;
	if (path.size() > 4 && path.compare(path.size() - 4, 4, ".ogg") == 0)
		stream = SmartPointer<CSoundStream>(new COggSoundStream(file.get()));
	else
		stream = SmartPointer<CSoundStream>(new CWavSoundStream(file.get()));
	if (stream->getFormat() == SoundFormatUnsupported)
		return nullptr;
	return stream;
}

// Every frame of a 16-bit stream as samples.
inline std::vector<int16_t> readAllSamples(CSoundStream* stream)
{
	std::vector<int16_t> samples;
	std::vector<int16_t> block(static_cast<size_t>(1024 * stream->getChannels()));
	int frames;
	while ((frames = stream->read(block.data(), 1024)) > 0)
		samples.insert(samples.end(), block.begin(), block.begin() + frames * stream->getChannels());
	return samples;
}
