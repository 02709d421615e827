#include "AudioTestSupport.h"
#include "audio/CSoundStream.h"
#include "audio/CSoundStreamLoaderManager.h"
#include "audio/CWavSoundStream.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

namespace
{
SmartPointer<CSoundStream> decode(const std::vector<uint8_t>& bytes, const std::string& name = "sound.wav")
{
	SmartPointer<IReadFile> file(new MemoryReadFile(name, bytes));
	return SmartPointer<CSoundStream>(CSoundStreamLoaderManager::instance()->createStream(file.get()));
}

std::vector<uint8_t> readAll(CSoundStream* stream)
{
	std::vector<uint8_t> out(static_cast<size_t>(stream->getLength() * stream->getFrameSize()) + 64);
	size_t done = 0;
	int got;
	while ((got = stream->read(out.data() + done, 7)) > 0)
		done += static_cast<size_t>(got) * stream->getFrameSize();
	out.resize(done);
	return out;
}

struct AcceptedCase
{
	const char* what;
	WavSpec spec;
	int code;
};

WavSpec spec(uint16_t channels, uint16_t bits, bool extensible = false, uint32_t mask = 0)
{
	WavSpec s;
	s.channels = channels;
	s.bits = bits;
	s.extensible = extensible;
	s.channelMask = mask;
	s.frames = 101;
	return s;
}
} // namespace

TEST(WavSoundStream, DecodesSupportedLayouts)
{
	const AcceptedCase cases[] = {
	    {"mono 8", spec(1, 8), SoundFormatMono8},
	    {"stereo 8", spec(2, 8), SoundFormatStereo8},
	    {"mono 16", spec(1, 16), SoundFormatMono16},
	    {"stereo 16", spec(2, 16), SoundFormatStereo16},
	    {"quad 16", spec(4, 16), SoundFormatQuad16},
	    {"extensible mono", spec(1, 16, true, 4), SoundFormatMono16},
	    {"extensible stereo 8", spec(2, 8, true, 3), SoundFormatStereo8},
	    {"extensible rear", spec(2, 16, true, 48), SoundFormatRear16},
	    {"extensible 5.1", spec(6, 16, true, 63), SoundFormat51Chn16},
	    {"extensible 7.1", spec(8, 16, true, 1599), SoundFormat71Chn16},
	};
	for (const AcceptedCase& c : cases)
	{
		SCOPED_TRACE(c.what);
		SmartPointer<CSoundStream> stream = decode(makeWav(c.spec));
		ASSERT_TRUE(stream);
		EXPECT_EQ(c.code, stream->getFormat());
		EXPECT_EQ(c.spec.channels, stream->getChannels());
		EXPECT_EQ(static_cast<int>(c.spec.rate), stream->getSampleRate());
		EXPECT_EQ(c.spec.frames, stream->getLength());
		EXPECT_EQ("sound.wav", std::string(stream->getName().c_str()));
		EXPECT_EQ(makeWavData(c.spec), readAll(stream.get()));
		ASSERT_TRUE(stream->rewind());
		EXPECT_EQ(makeWavData(c.spec), readAll(stream.get()));
	}
}

TEST(WavSoundStream, RefusesWhatItCannotPlay)
{
	WavSpec float32 = spec(1, 32);
	float32.formatTag = 3;
	WavSpec adpcm = spec(1, 4);
	adpcm.formatTag = 2;
	WavSpec extensibleFloat = spec(2, 32, true, 3);
	extensibleFloat.pcmSubFormat = false;
	WavSpec noRate = spec(1, 16);
	noRate.rate = 0;
	const std::pair<const char*, WavSpec> cases[] = {
	    {"24-bit mono", spec(1, 24)},
	    {"32-bit integer", spec(2, 32)},
	    {"float", float32},
	    {"ADPCM", adpcm},
	    {"extensible float", extensibleFloat},
	    {"extensible 24-bit", spec(1, 24, true, 4)},
	    {"extensible mask mismatch", spec(2, 16, true, 4)},
	    {"three channels", spec(3, 16)},
	    {"rate 0", noRate},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.first);
		EXPECT_FALSE(decode(makeWav(c.second)));
	}
}

TEST(WavSoundStream, RefusesDamagedFiles)
{
	const std::vector<uint8_t> good = makeWav(spec(2, 16));
	std::vector<uint8_t> badMagic = good;
	badMagic[0] = 'X';
	std::vector<uint8_t> hugeData = good;
	// The data chunk's size (after RIFF header 12 + fmt chunk 24 + "data") claims 4 GB.
	for (int i = 0; i < 4; ++i)
		hugeData[12 + 24 + 4 + i] = 0xFF;
	std::vector<uint8_t> fmt50;
	appendId(fmt50, "RIFF");
	appendLe32(fmt50, 0);
	appendId(fmt50, "WAVE");
	appendId(fmt50, "fmt ");
	appendLe32(fmt50, 50);
	fmt50.insert(fmt50.end(), 50, 0);
	fmt50.insert(fmt50.end(), good.begin() + 36, good.end());

	const std::pair<const char*, std::vector<uint8_t>> cases[] = {
	    {"empty", {}},
	    {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
	    {"cut inside fmt", std::vector<uint8_t>(good.begin(), good.begin() + 28)},
	    {"no data chunk", std::vector<uint8_t>(good.begin(), good.begin() + 36)},
	    {"data cut short", std::vector<uint8_t>(good.begin(), good.end() - 10)},
	    {"data size beyond the file", hugeData},
	    {"not RIFF", badMagic},
	    {"fmt chunk of 50 bytes", fmt50},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.first);
		EXPECT_FALSE(decode(c.second));
	}
}

TEST(WavSoundStream, StreamsOnlyTheDataChunkAndSkipsPadding)
{
	WavSpec s = spec(1, 8);
	s.frames = 5; // odd data size: a pad byte follows
	std::vector<uint8_t> bytes = makeWav(s);
	appendId(bytes, "LIST");
	appendLe32(bytes, 4);
	appendId(bytes, "junk");
	// A chunk before the data chunk with an odd size and its pad byte.
	std::vector<uint8_t> withCue(bytes.begin(), bytes.begin() + 36);
	appendId(withCue, "odd ");
	appendLe32(withCue, 3);
	withCue.insert(withCue.end(), {1, 2, 3, 0});
	withCue.insert(withCue.end(), bytes.begin() + 36, bytes.end());

	for (const auto& file : {bytes, withCue})
	{
		SmartPointer<CSoundStream> stream = decode(file);
		ASSERT_TRUE(stream);
		EXPECT_EQ(5, stream->getLength());
		EXPECT_EQ(makeWavData(s), readAll(stream.get()));
	}
}

TEST(WavSoundStream, LoaderOrderByNameThenContent)
{
	// Named like both: the WAV loader is asked first, the content test then finds the Ogg.
	const std::vector<uint8_t> ogg = makeOgg(1, 22050, 3000);
	SmartPointer<CSoundStream> fromOgg = decode(ogg, "music.wav.ogg");
	ASSERT_TRUE(fromOgg);
	EXPECT_EQ(SoundFormatMono16, fromOgg->getFormat());

	// No telling name at all: found by content.
	SmartPointer<CSoundStream> fromWav = decode(makeWav(spec(2, 16)), "noname.bin");
	ASSERT_TRUE(fromWav);
	EXPECT_EQ(SoundFormatStereo16, fromWav->getFormat());

	EXPECT_FALSE(CSoundStreamLoaderManager::instance()->createStream(nullptr));
}
