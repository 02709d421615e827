#include "AudioTestSupport.h"
#include "audio/COggSoundStream.h"
#include "audio/CSoundStreamLoaderManager.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

namespace
{
SmartPointer<CSoundStream> decode(const std::vector<uint8_t>& bytes, const std::string& name = "sound.ogg")
{
	SmartPointer<IReadFile> file(new MemoryReadFile(name, bytes));
	return SmartPointer<CSoundStream>(CSoundStreamLoaderManager::instance()->createStream(file.get()));
}

std::vector<int16_t> readAll(CSoundStream* stream)
{
	std::vector<int16_t> out;
	std::vector<int16_t> chunk(1000 * stream->getChannels());
	int got;
	while ((got = stream->read(chunk.data(), 1000)) > 0)
		out.insert(out.end(), chunk.begin(), chunk.begin() + got * stream->getChannels());
	return out;
}

double channelRms(const std::vector<int16_t>& samples, int channels, int channel)
{
	double sum = 0;
	size_t n = 0;
	for (size_t i = channel; i < samples.size(); i += channels, ++n)
		sum += double(samples[i]) * samples[i];
	return n ? std::sqrt(sum / n) : 0;
}
} // namespace

static_assert(std::is_same_v<decltype(std::declval<CSoundStream>().getLength()), long long>,
              "lengths of long Ogg streams must not be cut to 32 bits");

TEST(OggSoundStream, DecodesMonoAndStereoToSixteenBit)
{
	const struct
	{
		int channels;
		int code;
	} cases[] = {{1, SoundFormatMono16}, {2, SoundFormatStereo16}, {4, SoundFormatQuad16}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.channels);
		SmartPointer<CSoundStream> stream = decode(makeOgg(c.channels, 22050, 11025));
		ASSERT_TRUE(stream);
		EXPECT_EQ(c.code, stream->getFormat());
		EXPECT_EQ(c.channels, stream->getChannels());
		EXPECT_EQ(22050, stream->getSampleRate());
		EXPECT_EQ(11025, stream->getLength());

		const std::vector<int16_t> first = readAll(stream.get());
		EXPECT_EQ(size_t(11025 * c.channels), first.size());
		EXPECT_GT(channelRms(first, c.channels, 0), 5000.0);
		ASSERT_TRUE(stream->rewind());
		EXPECT_EQ(first, readAll(stream.get()));
	}
}

TEST(OggSoundStream, ReordersSixChannelsToOutputOrder)
{
	// Decoder order FL, C, FR, RL, RR, LFE; each channel gets its own loudness. A low tone,
	// since the encoder low-passes the LFE channel.
	const std::vector<float> loudness = {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f};
	SmartPointer<CSoundStream> stream = decode(makeOgg(6, 22050, 8820, loudness, 50.0));
	ASSERT_TRUE(stream);
	EXPECT_EQ(SoundFormat51Chn16, stream->getFormat());
	const std::vector<int16_t> samples = readAll(stream.get());
	ASSERT_EQ(size_t(8820 * 6), samples.size());

	// Output order FL, FR, C, LFE, RL, RR.
	const int fromDecoder[6] = {0, 2, 1, 5, 3, 4};
	for (int out = 0; out < 6; ++out)
	{
		const double expected = loudness[fromDecoder[out]] * 32767 / std::sqrt(2.0);
		EXPECT_NEAR(expected, channelRms(samples, 6, out), expected * 0.25) << "output channel " << out;
	}
}

TEST(OggSoundStream, RefusesUnplayableOrBrokenFiles)
{
	const std::vector<uint8_t> good = makeOgg(2, 22050, 20000);
	std::vector<uint8_t> garbage(4000);
	for (size_t i = 0; i < garbage.size(); ++i)
		garbage[i] = static_cast<uint8_t>(i * 37 + 11);
	const std::pair<const char*, std::vector<uint8_t>> cases[] = {
	    {"three channels", makeOgg(3, 22050, 5000)},
	    {"headers cut", std::vector<uint8_t>(good.begin(), good.begin() + 40)},
	    {"garbage", garbage},
	    {"empty", {}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.first);
		EXPECT_FALSE(decode(c.second));
	}
}

TEST(OggSoundStream, TruncatedFileDecodesWhatIsThereWithoutFault)
{
	const std::vector<uint8_t> good = makeOgg(1, 22050, 44100);
	for (size_t cut : {good.size() / 2, good.size() - 7, good.size() * 3 / 4})
	{
		SmartPointer<CSoundStream> stream = decode(std::vector<uint8_t>(good.begin(), good.begin() + cut));
		if (!stream)
			continue;
		const std::vector<int16_t> samples = readAll(stream.get());
		EXPECT_LE(samples.size(), size_t(stream->getLength()));
	}
}
