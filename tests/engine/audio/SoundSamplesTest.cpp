#include "audio/CSoundSamples.h"

#include "audio/CSoundStream.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace
{
// A stereo 16-bit stream whose header claims `claimed` frames but which decodes only `real` of them.
class ClaimingStream : public CSoundStream
{
public:
	ClaimingStream(long long claimed, long long real) : real(real)
	{
		name = "claiming";
		channels = 2;
		sampleRate = 22050;
		format = SoundFormatStereo16;
		length = claimed;
	}

	int read(void* buffer, int frames) override
	{
		largestAsk = std::max(largestAsk, frames);
		const int given = static_cast<int>(std::min<long long>(frames, real - done));
		std::memset(buffer, 0x11, static_cast<size_t>(given) * static_cast<size_t>(getFrameSize()));
		done += given;
		return given;
	}

	int largestAsk = 0;

private:
	long long real;
	long long done = 0;
};
} // namespace

// The header's length is a claim: the buffer grows with what decodes, so a small file that claims a
// long sound never sizes a large buffer, and one that comes short gives no samples.
TEST(SoundSamples, GrowWithWhatDecodesNotWithTheClaimedLength)
{
	const struct
	{
		const char* name;
		long long claimed;
		long long real;
		size_t bytes; // 0: no samples
	} cases[] = {
	    {"as claimed", 1000, 1000, 4000},
	    {"long and true", 300000, 300000, 1200000},
	    {"claims the most it may, decodes little", static_cast<long long>(CSoundSamples::MaxBytes / 4), 1000, 0},
	    {"claims past the limit", static_cast<long long>(CSoundSamples::MaxBytes), 1000, 0},
	    {"claims nothing", 0, 1000, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		SmartPointer<ClaimingStream> stream(new ClaimingStream(c.claimed, c.real));
		SmartPointer<CSoundSamples> samples(new CSoundSamples(stream.get()));
		EXPECT_EQ(samples->getDataSize(), c.bytes);
		EXPECT_EQ(samples->getData() != nullptr, c.bytes != 0);
		EXPECT_LE(stream->largestAsk, 0x10000);
	}
}
