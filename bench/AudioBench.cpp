// Audio: the cost of one streamed refill and how long the main thread waits on the audio locks.
#include "audio/COpenALAudioDevice.h"
#include "audio/COggSoundStreamLoader.h"
#include "audio/CSoundStream.h"
#include "audio/ISound.h"
#include "content/CMemoryFile.h"
#include "core/SmartPointer.h"

#include <benchmark/benchmark.h>
#include <vorbis/vorbisenc.h>

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
void appendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
	out.insert(out.end(), page.header, page.header + page.header_len);
	out.insert(out.end(), page.body, page.body + page.body_len);
}

// A stereo 44.1 kHz Ogg Vorbis tone of the given length.
std::vector<uint8_t> encodeTone(int seconds)
{
	std::vector<uint8_t> out;
	vorbis_info info;
	vorbis_info_init(&info);
	vorbis_encode_init_vbr(&info, 2, 44100, 0.4f);
	vorbis_comment comment;
	vorbis_comment_init(&comment);
	vorbis_dsp_state dsp;
	vorbis_analysis_init(&dsp, &info);
	vorbis_block block;
	vorbis_block_init(&dsp, &block);
	ogg_stream_state stream;
	ogg_stream_init(&stream, 7);
	ogg_packet h1, h2, h3;
	vorbis_analysis_headerout(&dsp, &comment, &h1, &h2, &h3);
	ogg_stream_packetin(&stream, &h1);
	ogg_stream_packetin(&stream, &h2);
	ogg_stream_packetin(&stream, &h3);
	ogg_page page;
	while (ogg_stream_flush(&stream, &page))
		appendPage(out, page);

	const int total = seconds * 44100;
	for (int written = 0; written <= total; written += 4096)
	{
		const int n = std::min(4096, total - written);
		if (n > 0)
		{
			float** buffer = vorbis_analysis_buffer(&dsp, n);
			for (int i = 0; i < n; ++i)
			{
				const float t = static_cast<float>(written + i) / 44100.0f;
				buffer[0][i] = 0.4f * std::sin(2.0f * 3.14159265f * 440.0f * t);
				buffer[1][i] = 0.4f * std::sin(2.0f * 3.14159265f * 660.0f * t);
			}
		}
		vorbis_analysis_wrote(&dsp, n > 0 ? n : 0);
		while (vorbis_analysis_blockout(&dsp, &block) == 1)
		{
			vorbis_analysis(&block, nullptr);
			vorbis_bitrate_addblock(&block);
			ogg_packet packet;
			while (vorbis_bitrate_flushpacket(&dsp, &packet))
			{
				ogg_stream_packetin(&stream, &packet);
				while (ogg_stream_pageout(&stream, &page))
					appendPage(out, page);
			}
		}
	}
	while (ogg_stream_flush(&stream, &page))
		appendPage(out, page);
	ogg_stream_clear(&stream);
	vorbis_block_clear(&block);
	vorbis_dsp_clear(&dsp);
	vorbis_comment_clear(&comment);
	vorbis_info_clear(&info);
	return out;
}

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
