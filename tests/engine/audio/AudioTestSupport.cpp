#include "AudioTestSupport.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

MemoryReadFile::MemoryReadFile(std::string fileName, std::vector<uint8_t> bytes)
    : name(fileName.c_str()), data(std::move(bytes))
{
}

irr::s32 MemoryReadFile::read(void* buffer, irr::u32 sizeToRead)
{
	const long left = static_cast<long>(data.size()) - pos;
	const long n = left < static_cast<long>(sizeToRead) ? left : static_cast<long>(sizeToRead);
	if (n <= 0)
		return 0;
	std::memcpy(buffer, data.data() + pos, static_cast<size_t>(n));
	pos += n;
	return static_cast<irr::s32>(n);
}

bool MemoryReadFile::seek(long finalPos, bool relativeMovement)
{
	const long target = relativeMovement ? pos + finalPos : finalPos;
	if (target < 0 || target > static_cast<long>(data.size()))
		return false;
	pos = target;
	return true;
}

IReadFile* SoundFileStore::open(const char* name) const
{
	auto it = files.find(name);
	return it == files.end() ? nullptr : new MemoryReadFile(name, it->second);
}

void appendLe16(std::vector<uint8_t>& out, uint16_t v)
{
	out.push_back(static_cast<uint8_t>(v));
	out.push_back(static_cast<uint8_t>(v >> 8));
}

void appendLe32(std::vector<uint8_t>& out, uint32_t v)
{
	for (int i = 0; i < 4; ++i)
		out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void appendId(std::vector<uint8_t>& out, const char* id)
{
	for (int i = 0; i < 4; ++i)
		out.push_back(static_cast<uint8_t>(id[i]));
}

std::vector<uint8_t> makeWavData(const WavSpec& spec)
{
	std::vector<uint8_t> data;
	const int bytes = spec.bits / 8;
	for (uint32_t f = 0; f < spec.frames; ++f)
	{
		const double s = std::sin(f * 2.0 * M_PI * 440.0 / (spec.rate ? spec.rate : 22050)) * 0.5;
		for (int c = 0; c < spec.channels; ++c)
		{
			if (bytes <= 1)
			{
				data.push_back(static_cast<uint8_t>(128 + s * 127));
			}
			else
			{
				const int32_t v = static_cast<int32_t>(s * 32767) * (1 << ((bytes - 2) * 8));
				for (int b = 0; b < bytes; ++b)
					data.push_back(static_cast<uint8_t>(v >> (8 * b)));
			}
		}
	}
	return data;
}

std::vector<uint8_t> makeWav(const WavSpec& spec)
{
	const std::vector<uint8_t> data = makeWavData(spec);
	std::vector<uint8_t> fmt;
	appendLe16(fmt, spec.extensible ? 0xFFFE : spec.formatTag);
	appendLe16(fmt, spec.channels);
	appendLe32(fmt, spec.rate);
	appendLe32(fmt, spec.rate * spec.channels * spec.bits / 8);
	appendLe16(fmt, static_cast<uint16_t>(spec.channels * spec.bits / 8));
	appendLe16(fmt, spec.bits);
	if (spec.extensible)
	{
		static const uint8_t pcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
		                                0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
		appendLe16(fmt, 22);
		appendLe16(fmt, spec.bits);
		appendLe32(fmt, spec.channelMask);
		fmt.insert(fmt.end(), pcm, pcm + 16);
		if (!spec.pcmSubFormat)
			fmt[fmt.size() - 16] = 3; // IEEE float
	}

	std::vector<uint8_t> out;
	appendId(out, "RIFF");
	appendLe32(out, static_cast<uint32_t>(4 + 8 + fmt.size() + 8 + data.size() + (data.size() & 1)));
	appendId(out, "WAVE");
	appendId(out, "fmt ");
	appendLe32(out, static_cast<uint32_t>(fmt.size()));
	out.insert(out.end(), fmt.begin(), fmt.end());
	appendId(out, "data");
	appendLe32(out, static_cast<uint32_t>(data.size()));
	out.insert(out.end(), data.begin(), data.end());
	if (data.size() & 1)
		out.push_back(0);
	return out;
}

namespace
{
void appendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
	out.insert(out.end(), page.header, page.header + page.header_len);
	out.insert(out.end(), page.body, page.body + page.body_len);
}
} // namespace

std::vector<uint8_t> makeOgg(int channels, int rate, int frames, const std::vector<float>& amplitudes, double frequency)
{
	std::vector<uint8_t> out;
	vorbis_info info;
	vorbis_info_init(&info);
	if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0)
	{
		vorbis_info_clear(&info);
		return out;
	}
	vorbis_comment comment;
	vorbis_comment_init(&comment);
	vorbis_dsp_state dsp;
	vorbis_analysis_init(&dsp, &info);
	vorbis_block block;
	vorbis_block_init(&dsp, &block);
	ogg_stream_state stream;
	ogg_stream_init(&stream, 1234);

	ogg_packet header, commentPacket, codePacket;
	vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codePacket);
	ogg_stream_packetin(&stream, &header);
	ogg_stream_packetin(&stream, &commentPacket);
	ogg_stream_packetin(&stream, &codePacket);
	ogg_page page;
	while (ogg_stream_flush(&stream, &page))
		appendPage(out, page);

	const int step = 1024;
	int written = 0;
	bool done = false;
	while (!done)
	{
		const int n = frames - written < step ? frames - written : step;
		if (n > 0)
		{
			float** buffer = vorbis_analysis_buffer(&dsp, n);
			for (int i = 0; i < n; ++i)
			{
				const double phase = (written + i) * 2.0 * M_PI * frequency / rate;
				for (int c = 0; c < channels; ++c)
				{
					const float a = c < static_cast<int>(amplitudes.size()) ? amplitudes[c] : 0.5f;
					buffer[c][i] = static_cast<float>(std::sin(phase) * a);
				}
			}
			vorbis_analysis_wrote(&dsp, n);
			written += n;
		}
		else
		{
			vorbis_analysis_wrote(&dsp, 0);
		}
		while (vorbis_analysis_blockout(&dsp, &block) == 1)
		{
			vorbis_analysis(&block, nullptr);
			vorbis_bitrate_addblock(&block);
			ogg_packet packet;
			while (vorbis_bitrate_flushpacket(&dsp, &packet))
			{
				ogg_stream_packetin(&stream, &packet);
				while (ogg_stream_pageout(&stream, &page))
				{
					appendPage(out, page);
					if (ogg_page_eos(&page))
						done = true;
				}
			}
		}
		if (n <= 0 && !done)
		{
			while (ogg_stream_flush(&stream, &page))
				appendPage(out, page);
			done = true;
		}
	}

	ogg_stream_clear(&stream);
	vorbis_block_clear(&block);
	vorbis_dsp_clear(&dsp);
	vorbis_comment_clear(&comment);
	vorbis_info_clear(&info);
	return out;
}
