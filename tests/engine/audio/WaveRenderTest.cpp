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
int renderInChildProcess(const TempDir& dir, const std::string& output)
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
		execl("/proc/self/exe", "test_audio", "--gtest_filter=WaveRenderChild.PlayCue", static_cast<char*>(nullptr));
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

TEST(WaveRender, PlayedCueIsInTheRenderedFile)
{
	TempDir dir;
	const std::string output = dir.file("render.wav");
	ASSERT_EQ(0, renderInChildProcess(dir, output));

	SmartPointer<IReadFile> file(new MemoryReadFile("render.wav", readFile(output)));
	SmartPointer<CSoundStream> stream(CSoundStreamLoaderManager::instance()->createStream(file.get()));
	ASSERT_TRUE(stream) << "the wave writer's file does not parse";
	ASSERT_EQ(SoundFormatStereo16, stream->getFormat());
	const int rate = stream->getSampleRate();
	std::vector<int16_t> samples(static_cast<size_t>(stream->getLength()) * 2);
	ASSERT_EQ(stream->getLength(), stream->read(samples.data(), static_cast<int>(stream->getLength())));
	ASSERT_GE(stream->getLength(), rate * 0.5);

	// Loud 10 ms windows of the left channel.
	const int window = rate / 100;
	int loudWindows = 0;
	for (size_t start = 0; start + window <= samples.size() / 2; start += window)
	{
		double sum = 0;
		for (int i = 0; i < window; ++i)
			sum += double(samples[(start + i) * 2]) * samples[(start + i) * 2];
		loudWindows += std::sqrt(sum / window) >= 1000;
	}
	// Zero crossings, with hysteresis so the mixer's last-bit noise in the silence does not count.
	int crossings = 0;
	int sign = 0;
	for (size_t i = 0; i < samples.size(); i += 2)
	{
		const int now = samples[i] > 1000 ? 1 : samples[i] < -1000 ? -1 : 0;
		if (now != 0 && sign != 0 && now != sign)
			++crossings;
		if (now != 0)
			sign = now;
	}
	EXPECT_NEAR(50, loudWindows, 3);
	EXPECT_NEAR(440, crossings, 10);
}
