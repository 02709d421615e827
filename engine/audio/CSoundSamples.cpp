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
	// The claimed length is only a claim: the buffer grows with what really decodes, in pieces (a decoder
	// may also hand out fewer frames per call than asked).
	constexpr long long PieceFrames = 0x10000;
	long long done = 0;
	while (done < length)
	{
		const long long left = length - done;
		const int want = left > PieceFrames ? static_cast<int>(PieceFrames) : static_cast<int>(left);
		data.resize(static_cast<size_t>((done + want) * static_cast<long long>(frameSize)));
		const int got = stream->read(data.data() + done * frameSize, want);
		if (got <= 0)
			break;
		done += got;
	}
	data.resize(static_cast<size_t>(done * static_cast<long long>(frameSize)));
	if (done < length)
	{
		data.clear();
		data.shrink_to_fit();
	}
}
