#include "CWavSoundStream.h"

#include "content/IReadFile.h"

#include <cstring>
#include <strings.h>

namespace
{
constexpr uint16_t FormatTagPcm = 1;
constexpr uint16_t FormatTagExtensible = 0xFFFE;

// KSDATAFORMAT_SUBTYPE_PCM: {00000001-0000-0010-8000-00aa00389b71}.
const uint8_t PcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                  0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t le32(const uint8_t* p)
{
	return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
	       (static_cast<uint32_t>(p[3]) << 24);
}

bool sameId(const uint8_t* p, const char* id) { return strncasecmp(reinterpret_cast<const char*>(p), id, 4) == 0; }

// 8 or 16 bits by the container size; anything else (24-bit, 32-bit, float) would play as noise.
int pcmCode(int bits, int code8, int code16)
{
	if (bits == 16)
		return code16;
	if (bits == 8)
		return code8;
	return SoundFormatUnsupported;
}
} // namespace

bool WavDescription::parse(IReadFile* file)
{
	*this = WavDescription();
	if (!file)
		return false;

	uint8_t header[12];
	if (file->read(header, 12) != 12 || !sameId(header, "RIFF") || !sameId(header + 8, "WAVE"))
		return false;

	bool truncated = false;
	uint8_t chunk[8];
	while (file->read(chunk, 8) == 8)
	{
		const uint32_t size = le32(chunk + 4);
		const long start = file->getPos();
		if (sameId(chunk, "fmt ") && size <= 40)
		{
			uint8_t fmt[40] = {};
			if (file->read(fmt, size) != static_cast<irr::s32>(size))
			{
				truncated = true;
				break;
			}
			const uint16_t tag = le16(fmt);
			if (tag == FormatTagPcm || tag == FormatTagExtensible)
			{
				kind = tag == FormatTagPcm ? KindPcm : KindExtensible;
				formatTag = tag;
				channels = le16(fmt + 2);
				sampleRate = le32(fmt + 4);
				byteRate = le32(fmt + 8);
				blockAlign = le16(fmt + 12);
				bitsPerSample = le16(fmt + 14);
				extensionSize = le16(fmt + 16);
				validBits = le16(fmt + 18);
				channelMask = le32(fmt + 20);
				std::memcpy(subFormat, fmt + 24, 16);
			}
		}
		else if (sameId(chunk, "data"))
		{
			dataSize = size;
			dataPosition = start;
		}

		// Chunks are word aligned: an odd size is followed by one pad byte.
		const long next = start + static_cast<long>(size) + (size & 1);
		if (next > file->getSize())
		{
			// A data chunk cut short would play only part of the sound or hand out garbage sizes.
			if (sameId(chunk, "data") && start + static_cast<long>(size) > file->getSize())
				truncated = true;
			break;
		}
		if (!file->seek(next))
			break;
	}

	if (truncated || dataSize == 0 || dataPosition == 0 || kind == KindNone)
	{
		*this = WavDescription();
		return false;
	}
	return true;
}

int WavDescription::formatCode() const
{
	if (sampleRate == 0)
		return SoundFormatUnsupported;
	const int bits = bitsPerSample;
	if (kind == KindPcm)
	{
		switch (channels)
		{
		case 1:
			return pcmCode(bits, SoundFormatMono8, SoundFormatMono16);
		case 2:
			return pcmCode(bits, SoundFormatStereo8, SoundFormatStereo16);
		case 4:
			return bits == 16 ? SoundFormatQuad16 : SoundFormatUnsupported;
		default:
			return SoundFormatUnsupported;
		}
	}
	if (kind != KindExtensible || std::memcmp(subFormat, PcmSubFormat, 16) != 0)
		return SoundFormatUnsupported;
	if (validBits != 0 && validBits != bits)
		return SoundFormatUnsupported;
	switch (channels)
	{
	case 1:
		return channelMask == 4 ? pcmCode(bits, SoundFormatMono8, SoundFormatMono16) : SoundFormatUnsupported;
	case 2:
		if (channelMask == 3)
			return pcmCode(bits, SoundFormatStereo8, SoundFormatStereo16);
		return channelMask == 48 && bits == 16 ? SoundFormatRear16 : SoundFormatUnsupported;
	case 4:
		return channelMask == 51 && bits == 16 ? SoundFormatQuad16 : SoundFormatUnsupported;
	case 6:
		return channelMask == 63 && bits == 16 ? SoundFormat51Chn16 : SoundFormatUnsupported;
	case 7:
		return channelMask == 319 && bits == 16 ? SoundFormat61Chn16 : SoundFormatUnsupported;
	case 8:
		return channelMask == 1599 && bits == 16 ? SoundFormat71Chn16 : SoundFormatUnsupported;
	default:
		return SoundFormatUnsupported;
	}
}

CWavSoundStream::CWavSoundStream(IReadFile* f) : file(f)
{
	if (file)
		file->grab();
	if (!description.parse(file))
		return;
	const int code = description.formatCode();
	if (code == SoundFormatUnsupported)
		return;
	format = code;
	channels = description.channels;
	sampleRate = static_cast<int>(description.sampleRate);
	length = description.dataSize / getFrameSize();
	name = file->getFileName();
	rewind();
}

CWavSoundStream::~CWavSoundStream()
{
	if (file)
		file->drop();
}

bool CWavSoundStream::rewind()
{
	return file && file->seek(description.dataPosition);
}

int CWavSoundStream::read(void* buffer, int frames)
{
	if (!file || length == 0 || frames <= 0)
		return 0;
	const long frameSize = getFrameSize();
	const long dataEnd = description.dataPosition + static_cast<long>(description.dataSize);
	const long left = dataEnd - file->getPos();
	if (left <= 0)
		return 0;
	long bytes = static_cast<long>(frames) * frameSize;
	if (bytes > left)
		bytes = left / frameSize * frameSize;
	if (bytes <= 0)
		return 0;
	const irr::s32 got = file->read(buffer, static_cast<irr::u32>(bytes));
	if (got <= 0)
		return 0;
	// Keep the position on a frame boundary when the file gave a partial frame.
	const irr::s32 whole = got / static_cast<irr::s32>(frameSize) * static_cast<irr::s32>(frameSize);
	if (whole != got)
		file->seek(whole - got, true);
	return whole / static_cast<int>(frameSize);
}
