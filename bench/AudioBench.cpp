// Audio: the cost of one streamed refill and how long the main thread waits on the audio locks.
#include "audio/COpenALAudioDevice.h"
#include "audio/COggSoundStreamLoader.h"
#include "audio/CStreamedSound.h"
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

namespace
{
double percentile(std::vector<double> values, double fraction)
{
	if (values.empty())
		return 0;
	const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
	std::nth_element(values.begin(), values.begin() + index, values.end());
	return values[index];
}

// Takes the lock; returns how long this thread was kept waiting by another holder (0 when it was free,
// so that this thread's own time off the processor does not count as a wait for the lock).
double lockAndTimeWait(Mutex& mutex, int& contended)
{
	if (mutex.tryLock())
		return 0.0;
	++contended;
	const auto begin = std::chrono::steady_clock::now();
	mutex.lock();
	return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
}
} // namespace

// Music and six streamed cues loop on the null OpenAL driver while the main thread plays, pauses
// and resumes them. Each call takes the active-list lock and then the sound's own lock, as the
// thread's refills do; the waits are taken apart from the call (both locks are recursive) and
// reported as p99 and longest: for the active-list lock alone, and for both locks together, beside
// the same for the whole call (which also waits inside OpenAL). A wait counts only the time the lock
// was held by the update thread: on a busy machine the main thread's own preemption is not the lock's.
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
	// Every sound is registered with the thread before the first measured call.
	while (device->getActiveSoundCount() < sounds.size())
		std::this_thread::sleep_for(std::chrono::milliseconds(1));

	using Clock = std::chrono::steady_clock;
	std::vector<double> waits;
	std::vector<double> bothWaits;
	std::vector<double> calls;
	waits.reserve(state.max_iterations);
	bothWaits.reserve(state.max_iterations);
	calls.reserve(state.max_iterations);
	int contended = 0;
	int step = 0;
	for (auto _ : state)
	{
		ISound* sound = sounds[step % sounds.size()].get();
		Mutex& activeLock = device->getActiveListLock();
		Mutex& sourceLock = static_cast<CStreamedSound*>(sound)->getSourceLock();
		const Clock::time_point begin = Clock::now();
		const double activeWait = lockAndTimeWait(activeLock, contended);
		const double sourceWait = lockAndTimeWait(sourceLock, contended);
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
		sourceLock.unlock();
		activeLock.unlock();
		calls.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
		waits.push_back(activeWait);
		bothWaits.push_back(activeWait + sourceWait);
		++step;
		// Leave the update thread room to refill between calls, as a frame would.
		std::this_thread::sleep_for(std::chrono::microseconds(500));
	}
	state.counters["p99_wait_us"] = percentile(waits, 0.99);
	state.counters["longest_wait_us"] = waits.empty() ? 0 : *std::max_element(waits.begin(), waits.end());
	state.counters["p99_both_wait_us"] = percentile(bothWaits, 0.99);
	state.counters["longest_both_wait_us"] =
	    bothWaits.empty() ? 0 : *std::max_element(bothWaits.begin(), bothWaits.end());
	state.counters["contended_calls"] = contended;
	state.counters["p99_call_us"] = percentile(calls, 0.99);
	state.counters["longest_call_us"] = calls.empty() ? 0 : *std::max_element(calls.begin(), calls.end());
}
BENCHMARK(BM_MainThreadAudioLockWait)->Iterations(10000)->Unit(benchmark::kMicrosecond);
