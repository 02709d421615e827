#include "CSoundSamples.h"

#include "CSoundStream.h"

CSoundSamples::CSoundSamples(CSoundStream* stream)
{
	if (!stream)
		return;
	name = stream->getName();
	channels = stream->getChannels();
	sampleRate = stream->getSampleRate();
	format = stream->getFormat();
	length = stream->getLength();
	if (length <= 0 || format == 0 || sampleRate <= 0 || channels <= 0 || !stream->rewind())
		return;

	const unsigned long long frameSize = static_cast<unsigned long long>(stream->getFrameSize());
	const unsigned long long bytes = frameSize * static_cast<unsigned long long>(length);
	if (bytes > MaxBytes)
		return;
	data.resize(static_cast<size_t>(bytes));

	// Read in pieces: a decoder may hand out fewer frames per call than asked.
	long long done = 0;
	while (done < length)
	{
		const long long left = length - done;
		const int want = left > 0x100000 ? 0x100000 : static_cast<int>(left);
		const int got = stream->read(data.data() + done * frameSize, want);
		if (got <= 0)
			break;
		done += got;
	}
	if (done < length)
		data.clear();
}
