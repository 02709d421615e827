// Audio: the cost of one streamed refill and how long the main thread waits on the audio locks.
#include "audio/COpenALAudioDevice.h"
#include "audio/COggSoundStreamLoader.h"
#include "audio/CSoundStream.h"
#include "audio/ISound.h"
#include "content/CMemoryFile.h"
#include "core/SmartPointer.h"
#include "engine/audio/AudioTestSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace
{
// A stereo 44.1 kHz Ogg Vorbis tone of the given length.
std::vector<uint8_t> encodeTone(int seconds) { return makeOgg(2, 44100, seconds * 44100, {0.4f, 0.4f}); }

IReadFile* memoryFile(const std::vector<uint8_t>& bytes, const char* name)
{
	void* copy = std::malloc(bytes.size());
	std::memcpy(copy, bytes.data(), bytes.size());
	return new CMemoryFile(copy, static_cast<long>(bytes.size()), name, true);
}
} // namespace

// One chunk of a streamed sound: one second of stereo Ogg decoded.
static void BM_StreamedRefillDecode(benchmark::State& state)
{
	static const std::vector<uint8_t> ogg = encodeTone(4);
	SmartPointer<IReadFile> file(memoryFile(ogg, "tone.ogg"));
	COggSoundStreamLoader loader;
	SmartPointer<CSoundStream> stream(loader.createStream(file.get(), ContentRef()));
	std::vector<int16_t> chunk(44100 * 2);
	for (auto _ : state)
	{
		if (stream->read(chunk.data(), 44100) < 44100)
		{
			state.PauseTiming();
			stream->rewind();
			stream->read(chunk.data(), 44100);
			state.ResumeTiming();
		}
		benchmark::DoNotOptimize(chunk.data());
	}
	state.SetItemsProcessed(state.iterations() * 44100);
}
BENCHMARK(BM_StreamedRefillDecode)->Unit(benchmark::kMillisecond);

// Music and six streamed cues play on the null OpenAL driver while the main thread plays,
// pauses and stops them; reports the longest single call (each takes the active-list lock).
static void BM_MainThreadAudioLockWait(benchmark::State& state)
{
	setenv("ALSOFT_DRIVERS", "null", 0);
	static const std::vector<uint8_t> ogg = encodeTone(3);
	SmartPointer<COpenALAudioDevice> device(
	    createOpenALAudioDevice([](const char* name) { return memoryFile(ogg, name); }));
	if (!device)
	{
		state.SkipWithError("no OpenAL device");
		return;
	}
	device->setStreamingThreshold(0);
	std::vector<SmartPointer<ISound>> sounds;
	for (int i = 0; i < 7; ++i)
	{
		sounds.emplace_back(device->createSound("tone.ogg", ContentRef()));
		sounds.back()->setLooping(true);
		sounds.back()->play();
	}

	double longestUs = 0;
	int step = 0;
	for (auto _ : state)
	{
		ISound* sound = sounds[step % sounds.size()].get();
		const auto begin = std::chrono::steady_clock::now();
		switch (step % 3)
		{
		case 0:
			sound->play();
			break;
		case 1:
			sound->setPaused(true);
			break;
		default:
			sound->setPaused(false);
			break;
		}
		benchmark::DoNotOptimize(sound->getState());
		const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
		longestUs = std::max(longestUs, us);
		++step;
		// Leave the update thread room to refill between calls, as a frame would.
		std::this_thread::sleep_for(std::chrono::microseconds(500));
	}
	state.counters["longest_wait_us"] = longestUs;
}
BENCHMARK(BM_MainThreadAudioLockWait)->Iterations(2000)->Unit(benchmark::kMicrosecond);
