#include "AudioTestSupport.h"
#include "audio/COpenALAudioDevice.h"
#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "audio/CSoundStream.h"
#include "audio/CSoundStreamLoaderManager.h"
#include "audio/ISound.h"
#include "core/SmartPointer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
constexpr int CueRate = 22050;
constexpr int CueFrames = CueRate / 2;
constexpr const char* OutputVariable = "AUDIO_TEST_WAVE_OUTPUT";

std::vector<uint8_t> readFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs this test program again with OpenAL's wave writer as its only backend: OpenAL reads its
// configuration once per process, so the other tests' null backend cannot be swapped in place.
int renderInChildProcess(const TempDir& dir, const std::string& output, const std::string& childTest)
{
	const std::string conf = dir.write("alsoft.conf", "[general]\nfrequency = 44100\nchannels = stereo\n"
	                                                  "sample-type = int16\n[wave]\nfile = " +
	                                                      output + "\n");
	const pid_t pid = fork();
	if (pid == 0)
	{
		setenv("ALSOFT_DRIVERS", "wave", 1);
		setenv("ALSOFT_CONF", conf.c_str(), 1);
		setenv(OutputVariable, output.c_str(), 1);
		const std::string filter = "--gtest_filter=WaveRenderChild." + childTest;
		execl("/proc/self/exe", "test_audio", filter.c_str(), static_cast<char*>(nullptr));
		_exit(127);
	}
	int status = 0;
	waitpid(pid, &status, 0);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

// The child half: plays a cue through the manager into the wave writer, then closes the device.
TEST(WaveRenderChild, PlayCue)
{
	if (!getenv(OutputVariable))
		GTEST_SKIP() << "run by WaveRender.PlayedCueIsInTheRenderedFile";

	SoundFileStore files;
	WavSpec tone;
	tone.rate = CueRate;
	tone.frames = CueFrames;
	files.add("tone.wav", makeWav(tone));
	SmartPointer<COpenALAudioDevice> device(createOpenALAudioDevice([&](const char* n) { return files.open(n); }));
	ASSERT_TRUE(device);
	SmartPointer<CSoundManager> manager(new CSoundManager());
	manager->setAudioDevice(device.get());

	SmartPointer<CSoundCue> cue(new CSoundCue(internStringId("tone")));
	SmartPointer<ISound> sound(device->createSound("tone.wav", ContentRef()));
	ASSERT_TRUE(sound);
	cue->addVariant(sound.get());
	ASSERT_TRUE(manager->registerCue(cue.get()));

	std::this_thread::sleep_for(std::chrono::milliseconds(200));
	ASSERT_NE(nullptr, manager->playCue(internStringId("tone")));
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
	while (!manager->getInstances().empty() && std::chrono::steady_clock::now() < end)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
		manager->update(10);
	}
	EXPECT_TRUE(manager->getInstances().empty());
	std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

// What the wave writer rendered: loud 10 ms windows and zero crossings of the left channel.
struct Rendered
{
	int loudWindows = 0;
	int crossings = 0;
};

void readRendered(const std::string& output, Rendered& rendered)
{
	SmartPointer<IReadFile> file(new MemoryReadFile("render.wav", readFile(output)));
	SmartPointer<CSoundStream> stream(CSoundStreamLoaderManager::instance()->createStream(file.get()));
	ASSERT_TRUE(stream) << "the wave writer's file does not parse";
	ASSERT_EQ(SoundFormatStereo16, stream->getFormat());
	const int rate = stream->getSampleRate();
	std::vector<int16_t> samples(static_cast<size_t>(stream->getLength()) * 2);
	ASSERT_EQ(stream->getLength(), stream->read(samples.data(), static_cast<int>(stream->getLength())));
	ASSERT_GE(stream->getLength(), rate * 0.5);

	const int window = rate / 100;
	for (size_t start = 0; start + window <= samples.size() / 2; start += window)
	{
		double sum = 0;
		for (int i = 0; i < window; ++i)
			sum += double(samples[(start + i) * 2]) * samples[(start + i) * 2];
		rendered.loudWindows += std::sqrt(sum / window) >= 1000;
	}
	// With hysteresis so the mixer's last-bit noise in the silence does not count.
	int sign = 0;
	for (size_t i = 0; i < samples.size(); i += 2)
	{
		const int now = samples[i] > 1000 ? 1 : samples[i] < -1000 ? -1 : 0;
		if (now != 0 && sign != 0 && now != sign)
			++rendered.crossings;
		if (now != 0)
			sign = now;
	}
}

TEST(WaveRender, PlayedCueIsInTheRenderedFile)
{
	TempDir dir;
	const std::string output = dir.file("render.wav");
	ASSERT_EQ(0, renderInChildProcess(dir, output, "PlayCue"));
	Rendered rendered;
	ASSERT_NO_FATAL_FAILURE(readRendered(output, rendered));
	EXPECT_NEAR(50, rendered.loudWindows, 3);
	EXPECT_NEAR(440, rendered.crossings, 10);
}

// The child half: a streamed tone plays to its end, then plays again, paused before the update
// thread's first refill and resumed later.
TEST(WaveRenderChild, ReplayStreamPausedAtFirst)
{
	if (!getenv(OutputVariable))
		GTEST_SKIP() << "run by WaveRender.StreamReplayedPausedAtFirstPlaysWholeAgain";

	SoundFileStore files;
	WavSpec tone;
	tone.rate = CueRate;
	tone.frames = CueFrames;
	files.add("tone.wav", makeWav(tone));
	SmartPointer<COpenALAudioDevice> device(createOpenALAudioDevice([&](const char* n) { return files.open(n); }));
	ASSERT_TRUE(device);
	device->setStreamingThreshold(0);
	SmartPointer<ISound> sound(device->createSound("tone.wav", ContentRef()));
	ASSERT_TRUE(sound);

	const auto waitForEnd = [&] {
		const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
		while (sound->getState() != 0 && std::chrono::steady_clock::now() < end)
			std::this_thread::sleep_for(std::chrono::milliseconds(10));
		return sound->getState() == 0;
	};
	ASSERT_TRUE(sound->play());
	ASSERT_TRUE(waitForEnd());
	{
		MutexLock lock(device->getActiveListLock());
		ASSERT_TRUE(sound->play());
		sound->setPaused(true);
	}
	std::this_thread::sleep_for(std::chrono::milliseconds(100));
	sound->setPaused(false);
	EXPECT_TRUE(waitForEnd());
	std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

TEST(WaveRender, StreamReplayedPausedAtFirstPlaysWholeAgain)
{
	TempDir dir;
	const std::string output = dir.file("render.wav");
	ASSERT_EQ(0, renderInChildProcess(dir, output, "ReplayStreamPausedAtFirst"));
	Rendered rendered;
	ASSERT_NO_FATAL_FAILURE(readRendered(output, rendered));
	EXPECT_NEAR(100, rendered.loudWindows, 4);
	EXPECT_NEAR(880, rendered.crossings, 20);
}
