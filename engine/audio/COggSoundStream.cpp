#include "COggSoundStream.h"

#include "content/IReadFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace
{
size_t readCallback(void* buffer, size_t size, size_t count, void* source)
{
	IReadFile* file = static_cast<IReadFile*>(source);
	const size_t total = size * count;
	if (size == 0 || total == 0 || total / size != count)
		return 0;
	const irr::s32 got = file->read(buffer, total > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<irr::u32>(total));
	return got > 0 ? static_cast<size_t>(got) / size : 0;
}

int seekCallback(void* source, ogg_int64_t offset, int whence)
{
	IReadFile* file = static_cast<IReadFile*>(source);
	switch (whence)
	{
	case SEEK_SET:
		return file->seek(static_cast<long>(offset)) ? 0 : -1;
	case SEEK_CUR:
		return file->seek(static_cast<long>(offset), true) ? 0 : -1;
	case SEEK_END:
		return file->seek(file->getSize() + static_cast<long>(offset)) ? 0 : -1;
	default:
		return -1;
	}
}

int closeCallback(void*) { return 0; }

long tellCallback(void* source) { return static_cast<IReadFile*>(source)->getPos(); }

const ov_callbacks engineCallbacks = {readCallback, seekCallback, closeCallback, tellCallback};

int formatForChannels(int channels)
{
	switch (channels)
	{
	case 1:
		return SoundFormatMono16;
	case 2:
		return SoundFormatStereo16;
	case 4:
		return SoundFormatQuad16;
	case 6:
		return SoundFormat51Chn16;
	default:
		return SoundFormatUnsupported;
	}
}

// Vorbis 5.1 order (FL, C, FR, RL, RR, LFE) to the output order (FL, FR, C, LFE, RL, RR).
void reorder51(int16_t* samples, int frames)
{
	for (int i = 0; i < frames; ++i)
	{
		int16_t* f = samples + i * 6;
		const int16_t in[6] = {f[0], f[1], f[2], f[3], f[4], f[5]};
		f[0] = in[0];
		f[1] = in[2];
		f[2] = in[1];
		f[3] = in[5];
		f[4] = in[3];
		f[5] = in[4];
	}
}
} // namespace

bool COggSoundStream::openDecoder(IReadFile* file, OggVorbis_File& decoder)
{
	if (!file)
		return false;
	return ov_open_callbacks(file, &decoder, nullptr, 0, engineCallbacks) == 0;
}

COggSoundStream::COggSoundStream(IReadFile* f) : file(f)
{
	std::memset(&decoder, 0, sizeof(decoder));
	if (!file)
		return;
	file->grab();
	if (!openDecoder(file, decoder))
		return;
	opened = true;

	const vorbis_info* info = ov_info(&decoder, -1);
	if (info && info->rate > 0 && info->rate <= 0x7FFFFFFF)
	{
		channels = info->channels;
		sampleRate = static_cast<int>(info->rate);
		format = formatForChannels(channels);
	}
	if (format != SoundFormatUnsupported)
	{
		const ogg_int64_t total = ov_pcm_total(&decoder, -1);
		length = total > 0 ? total : 0;
		name = file->getFileName();
	}
	if (length == 0)
	{
		ov_clear(&decoder);
		opened = false;
	}
}

COggSoundStream::~COggSoundStream()
{
	if (opened)
		ov_clear(&decoder);
	if (file)
		file->drop();
}

bool COggSoundStream::rewind()
{
	return opened && ov_pcm_seek(&decoder, 0) == 0;
}

int COggSoundStream::read(void* buffer, int frames)
{
	if (!opened || frames <= 0 || channels <= 0)
		return 0;
	const long frameBytes = 2L * channels;
	const long wanted = static_cast<long>(frames) * frameBytes;
	char* out = static_cast<char*>(buffer);
	long done = 0;
	while (done < wanted)
	{
		long request = wanted - done;
		if (request > 0x7FFFFFFF)
			request = 0x7FFFFFFF / frameBytes * frameBytes;
		int section = 0;
		const long got = ov_read(&decoder, out + done, static_cast<int>(request), 0, 2, 1, &section);
		if (got <= 0)
			break;
		// A chained file may switch to a section with another layout; that is where this sound ends.
		const vorbis_info* info = ov_info(&decoder, section);
		if (!info || info->channels != channels || info->rate != sampleRate)
			break;
		done += got;
	}
	const int framesRead = static_cast<int>(done / frameBytes);
	if (channels == 6)
		reorder51(reinterpret_cast<int16_t*>(out), framesRead);
	return framesRead;
}
