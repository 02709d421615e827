#include "ImageHeaderCheck.h"

#include "content/IReadFile.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

unsigned readLE16(const unsigned char* p)
{
	return unsigned(p[0]) | unsigned(p[1]) << 8;
}
std::uint32_t readLE32(const unsigned char* p)
{
	return std::uint32_t(readLE16(p)) | std::uint32_t(readLE16(p + 2)) << 16;
}
unsigned readBE16(const unsigned char* p)
{
	return unsigned(p[0]) << 8 | unsigned(p[1]);
}
std::uint32_t readBE32(const unsigned char* p)
{
	return std::uint32_t(readBE16(p)) << 16 | readBE16(p + 2);
}

bool sizeAcceptable(unsigned long width, unsigned long height)
{
	return width > 0 && height > 0 && width <= MaxImageSide && height <= MaxImageSide &&
	       width * height <= MaxImagePixels;
}

bool readHeader(IReadFile* file, unsigned char* buffer, unsigned size)
{
	return file->seek(0) && file->read(buffer, size) == static_cast<irr::s32>(size);
}

// The library's BMP loader trusts the header's data size, palette size and RLE runs, so only
// uncompressed pictures whose pixel data and palette are all present are given to it.
bool bmpSafe(IReadFile* file)
{
	unsigned char h[54];
	if (!readHeader(file, h, sizeof(h)) || h[0] != 'B' || h[1] != 'M')
		return false;
	const long fileSize = file->getSize();
	const std::uint32_t dataOffset = readLE32(h + 10);
	const std::uint32_t infoSize = readLE32(h + 14);
	const std::int32_t width = static_cast<std::int32_t>(readLE32(h + 18));
	const std::int32_t height = static_cast<std::int32_t>(readLE32(h + 22));
	const unsigned bitsPerPixel = readLE16(h + 28);
	const std::uint32_t compression = readLE32(h + 30);
	const std::uint32_t dataSize = readLE32(h + 34);
	if (infoSize < 40 || compression != 0 || width <= 0 || height <= 0 || !sizeAcceptable(width, height))
		return false;
	if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
	    bitsPerPixel != 32)
		return false;
	if (dataOffset < 54 || static_cast<long>(dataOffset) > fileSize)
		return false;
	const unsigned long available = static_cast<unsigned long>(fileSize - dataOffset);
	const unsigned long rowBytes = ((static_cast<unsigned long>(width) * bitsPerPixel + 31) / 32) * 4;
	const unsigned long needed = rowBytes * static_cast<unsigned long>(height);
	const unsigned long stated = dataSize ? dataSize : available;
	if (stated > available || stated < needed)
		return false;
	if (bitsPerPixel <= 8 && (dataOffset - 54) / 4 < (1u << bitsPerPixel))
		return false;
	// At 16 bits the loader skips row padding in pixels rather than bytes: padded rows (odd
	// widths) make it read past the data.
	if (bitsPerPixel == 16 && width % 2 != 0)
		return false;
	return true;
}

bool isStartOfFrame(unsigned marker)
{
	return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool hasLength(unsigned marker)
{
	return marker != 0x01 && marker != 0xD8 && marker != 0xD9 && (marker < 0xD0 || marker > 0xD7);
}

// The library's JPEG source skips segments without checking that they lie in the file, so every
// segment length, before and between the scans, must stay inside it; the frame header gives the size.
bool jpegSafe(IReadFile* file)
{
	const long size = file->getSize();
	if (size < 4 || size > 64l * 1024 * 1024 || !file->seek(0))
		return false;
	std::vector<unsigned char> bytes(static_cast<size_t>(size));
	if (file->read(bytes.data(), static_cast<irr::u32>(size)) != static_cast<irr::s32>(size) || bytes[0] != 0xFF ||
	    bytes[1] != 0xD8)
		return false;
	bool frameSeen = false;
	bool inScan = false;
	size_t pos = 2;
	while (pos + 1 < bytes.size())
	{
		if (bytes[pos] != 0xFF)
		{
			if (!inScan)
				return false;
			++pos;
			continue;
		}
		size_t next = pos + 1;
		while (next < bytes.size() && bytes[next] == 0xFF)
			++next;
		if (next >= bytes.size())
			break;
		const unsigned marker = bytes[next];
		pos = next + 1;
		if (marker == 0x00 || !hasLength(marker))
			continue;
		if (pos + 2 > bytes.size())
			return false;
		const unsigned length = readBE16(&bytes[pos]);
		if (length < 2 || pos + length > bytes.size())
			return false;
		if (isStartOfFrame(marker))
		{
			if (length < 7 || !sizeAcceptable(readBE16(&bytes[pos + 5]), readBE16(&bytes[pos + 3])))
				return false;
			frameSeen = true;
		}
		if (marker == 0xDA)
		{
			if (!frameSeen)
				return false;
			inScan = true;
		}
		pos += length;
	}
	return frameSeen && inScan;
}

// The library's TGA loader overruns its buffer on run-length data and palettes that end early;
// uncompressed true-colour pictures are safe.
bool tgaSafe(IReadFile* file)
{
	unsigned char h[18];
	if (!readHeader(file, h, sizeof(h)))
		return false;
	const unsigned imageType = h[2];
	const unsigned depth = h[16];
	if (imageType != 2 || (depth != 16 && depth != 24 && depth != 32))
		return false;
	return sizeAcceptable(readLE16(h + 12), readLE16(h + 14));
}

bool pngSafe(IReadFile* file)
{
	static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
	unsigned char h[24];
	if (!readHeader(file, h, sizeof(h)) || std::memcmp(h, signature, 8) != 0 || std::memcmp(h + 12, "IHDR", 4) != 0)
		return false;
	return sizeAcceptable(readBE32(h + 16), readBE32(h + 20));
}

bool walSafe(IReadFile* file)
{
	unsigned char h[56];
	if (!readHeader(file, h, sizeof(h)))
		return false;
	return sizeAcceptable(readLE32(h + 32), readLE32(h + 36));
}

// Reads the next decimal number of a netpbm header, skipping blanks and comments.
bool readPnmNumber(IReadFile* file, unsigned long& value)
{
	char c = 0;
	for (;;)
	{
		if (file->read(&c, 1) != 1)
			return false;
		if (c == '#')
		{
			while (c != '\n')
				if (file->read(&c, 1) != 1)
					return false;
		}
		else if (!std::isspace(static_cast<unsigned char>(c)))
			break;
	}
	if (!std::isdigit(static_cast<unsigned char>(c)))
		return false;
	value = 0;
	int digits = 0;
	while (std::isdigit(static_cast<unsigned char>(c)))
	{
		if (++digits > 9)
			return false;
		value = value * 10 + static_cast<unsigned long>(c - '0');
		if (file->read(&c, 1) != 1)
			break;
	}
	return true;
}

bool ppmSafe(IReadFile* file)
{
	unsigned char magic[2];
	// Binary bitmaps (P4) make the library's converter read past its buffer.
	if (!readHeader(file, magic, 2) || magic[0] != 'P' || magic[1] < '1' || magic[1] > '6' || magic[1] == '4')
		return false;
	unsigned long width = 0;
	unsigned long height = 0;
	return readPnmNumber(file, width) && readPnmNumber(file, height) && sizeAcceptable(width, height);
}

} // namespace

bool isImageHeaderSafe(ImageFileFormat format, IReadFile* file)
{
	if (!file)
		return false;
	switch (format)
	{
	case ImageFileFormat::Bmp:
		return bmpSafe(file);
	case ImageFileFormat::Jpeg:
		return jpegSafe(file);
	case ImageFileFormat::Tga:
		return tgaSafe(file);
	case ImageFileFormat::Png:
		return pngSafe(file);
	case ImageFileFormat::Wal:
		return walSafe(file);
	case ImageFileFormat::Ppm:
		return ppmSafe(file);
	case ImageFileFormat::Pcx:
		// The library's PCX decoder writes past its buffer on runs that cross the end.
		return false;
	}
	return false;
}
