#include "SoundFileWriter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vorbis/vorbisenc.h>

namespace
{
struct FileCloser
{
	void operator()(FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<FILE, FileCloser>;

void putLittleEndian(std::vector<unsigned char>& out, uint32_t value, int bytes)
{
	for (int i = 0; i < bytes; ++i)
		out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

bool endsWith(const std::string& text, const std::string& tail)
{
	return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The Ogg encoder's state, cleared in reverse order of set-up.
struct VorbisEncoder
{
	vorbis_info info;
	vorbis_comment comment;
	vorbis_dsp_state dsp;
	vorbis_block block;
	ogg_stream_state stream;
	int stage = 0;

	VorbisEncoder() { vorbis_info_init(&info); }
	~VorbisEncoder()
	{
		if (stage >= 2)
		{
			ogg_stream_clear(&stream);
			vorbis_block_clear(&block);
			vorbis_dsp_clear(&dsp);
		}
		if (stage >= 1)
			vorbis_comment_clear(&comment);
		vorbis_info_clear(&info);
	}
	VorbisEncoder(const VorbisEncoder&) = delete;
	VorbisEncoder& operator=(const VorbisEncoder&) = delete;
};

bool writePage(FILE* file, const ogg_page& page)
{
	return std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file) ==
	           static_cast<size_t>(page.header_len) &&
	       std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file) == static_cast<size_t>(page.body_len);
}

// Runs the analysis on whatever was submitted and writes every finished page.
bool drainEncoder(VorbisEncoder& encoder, FILE* file)
{
	ogg_packet packet;
	ogg_page page;
	while (vorbis_analysis_blockout(&encoder.dsp, &encoder.block) == 1)
	{
		vorbis_analysis(&encoder.block, nullptr);
		vorbis_bitrate_addblock(&encoder.block);
		while (vorbis_bitrate_flushpacket(&encoder.dsp, &packet))
		{
			ogg_stream_packetin(&encoder.stream, &packet);
			while (ogg_stream_pageout(&encoder.stream, &page))
				if (!writePage(file, page))
					return false;
		}
	}
	return true;
}
} // namespace

bool SoundFileWriter::write(const std::string& path, const std::vector<float>& samples, double quality,
                            std::string& error) const
{
	if (endsWith(path, ".wav"))
		return writeWav(path, samples, error);
	if (endsWith(path, ".ogg"))
		return writeOgg(path, samples, quality, error);
	error = "output must end in .wav or .ogg: " + path;
	return false;
}

bool SoundFileWriter::writeWav(const std::string& path, const std::vector<float>& samples, std::string& error) const
{
	const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
	std::vector<unsigned char> bytes;
	bytes.reserve(44 + dataSize);
	bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
	putLittleEndian(bytes, 36 + dataSize, 4);
	bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
	putLittleEndian(bytes, 16, 4);
	putLittleEndian(bytes, 1, 2); // PCM
	putLittleEndian(bytes, static_cast<uint32_t>(channels), 2);
	putLittleEndian(bytes, static_cast<uint32_t>(sampleRate), 4);
	putLittleEndian(bytes, static_cast<uint32_t>(sampleRate * channels * 2), 4);
	putLittleEndian(bytes, static_cast<uint32_t>(channels * 2), 2);
	putLittleEndian(bytes, 16, 2);
	bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
	putLittleEndian(bytes, dataSize, 4);
	for (float sample : samples)
	{
		const long value = std::lround(sample * 32767.0f);
		putLittleEndian(bytes, static_cast<uint32_t>(static_cast<int16_t>(value)), 2);
	}
	FilePointer file(std::fopen(path.c_str(), "wb"));
	if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
	{
		error = "cannot write " + path;
		return false;
	}
	return true;
}

bool SoundFileWriter::writeOgg(const std::string& path, const std::vector<float>& samples, double quality,
                               std::string& error) const
{
	FilePointer file(std::fopen(path.c_str(), "wb"));
	if (!file)
	{
		error = "cannot write " + path;
		return false;
	}
	VorbisEncoder encoder;
	if (vorbis_encode_init_vbr(&encoder.info, channels, sampleRate, static_cast<float>(quality)) != 0)
	{
		error = "the Vorbis encoder does not take this rate and channel count";
		return false;
	}
	vorbis_comment_init(&encoder.comment);
	encoder.stage = 1;
	vorbis_analysis_init(&encoder.dsp, &encoder.info);
	vorbis_block_init(&encoder.dsp, &encoder.block);
	// A fixed serial number keeps rebuilt files identical.
	ogg_stream_init(&encoder.stream, 0x51534e44);
	encoder.stage = 2;

	ogg_packet header, commentHeader, codeHeader;
	vorbis_analysis_headerout(&encoder.dsp, &encoder.comment, &header, &commentHeader, &codeHeader);
	ogg_stream_packetin(&encoder.stream, &header);
	ogg_stream_packetin(&encoder.stream, &commentHeader);
	ogg_stream_packetin(&encoder.stream, &codeHeader);
	ogg_page page;
	bool written = true;
	while (written && ogg_stream_flush(&encoder.stream, &page))
		written = writePage(file.get(), page);

	const size_t frames = samples.size() / static_cast<size_t>(channels);
	const size_t chunk = 1024;
	for (size_t done = 0; written && done < frames; done += chunk)
	{
		const size_t count = std::min(chunk, frames - done);
		float** buffer = vorbis_analysis_buffer(&encoder.dsp, static_cast<int>(count));
		for (size_t i = 0; i < count; ++i)
			for (int c = 0; c < channels; ++c)
				buffer[c][i] = samples[(done + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)];
		vorbis_analysis_wrote(&encoder.dsp, static_cast<int>(count));
		written = drainEncoder(encoder, file.get());
	}
	vorbis_analysis_wrote(&encoder.dsp, 0);
	written = written && drainEncoder(encoder, file.get());
	while (written && ogg_stream_flush(&encoder.stream, &page))
		written = writePage(file.get(), page);
	if (!written)
		error = "cannot write " + path;
	return written;
}
