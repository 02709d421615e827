#include "XmlTextDecoding.h"

#include "core/Utf8.h"

#include <cstdint>

namespace
{
constexpr wchar_t replacementChar = L'?';

bool isContinuation(unsigned char b)
{
	return (b & 0xC0) == 0x80;
}

void appendCodePoint(std::vector<wchar_t>& out, uint32_t cp)
{
	if (cp > 0x10FFFF)
		cp = replacementChar;
	out.push_back(static_cast<wchar_t>(cp));
}

// strict: fails at the first malformed sequence; otherwise a malformed lead gives "?"
// and stray continuation bytes are skipped.
bool decodeUtf8(const unsigned char* p, const unsigned char* end, bool strict, std::vector<wchar_t>& out)
{
	while (p < end)
	{
		// Plain ASCII runs are by far the most common case.
		while (p < end && *p < 0x80 && *p != 0)
			out.push_back(static_cast<wchar_t>(*p++));
		if (p >= end || *p == 0)
			return true;
		uint32_t cp = 0;
		const size_t length = decodeUtf8Sequence(p, end, cp);
		if (length)
		{
			appendCodePoint(out, cp);
			p += length;
			continue;
		}
		if (strict)
			return false;
		if (!isContinuation(*p))
			out.push_back(replacementChar);
		++p;
	}
	return true;
}

bool hasMultiByteSequence(const unsigned char* p, const unsigned char* end)
{
	for (; p < end && *p; ++p)
	{
		if (*p >= 0x80)
			return true;
	}
	return false;
}

uint32_t read16(const unsigned char* p, bool bigEndian)
{
	return bigEndian ? (uint32_t(p[0]) << 8) | p[1] : (uint32_t(p[1]) << 8) | p[0];
}

uint32_t read32(const unsigned char* p, bool bigEndian)
{
	if (bigEndian)
		return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
	return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

// Surrogate pairs become one character; a lone surrogate keeps its unit value.
void decodeUtf16(const unsigned char* p, const unsigned char* end, bool bigEndian, std::vector<wchar_t>& out)
{
	while (end - p >= 2)
	{
		uint32_t unit = read16(p, bigEndian);
		p += 2;
		if (unit == 0)
			return;
		if (unit >= 0xD800 && unit <= 0xDBFF && end - p >= 2)
		{
			const uint32_t low = read16(p, bigEndian);
			if (low >= 0xDC00 && low <= 0xDFFF)
			{
				unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
				p += 2;
			}
		}
		out.push_back(static_cast<wchar_t>(unit));
	}
}

void decodeUtf32(const unsigned char* p, const unsigned char* end, bool bigEndian, std::vector<wchar_t>& out)
{
	while (end - p >= 4)
	{
		const uint32_t unit = read32(p, bigEndian);
		p += 4;
		if (unit == 0)
			return;
		appendCodePoint(out, unit);
	}
}

void decodeSingleByte(const unsigned char* p, const unsigned char* end, std::vector<wchar_t>& out)
{
	for (; p < end && *p; ++p)
		out.push_back(static_cast<wchar_t>(*p));
}

bool startsWith(const unsigned char* bytes, size_t size, const unsigned char* prefix, size_t length)
{
	if (size < length)
		return false;
	for (size_t i = 0; i < length; ++i)
	{
		if (bytes[i] != prefix[i])
			return false;
	}
	return true;
}
} // namespace

void decodeXmlText(const unsigned char* bytes, size_t size, std::vector<wchar_t>& out)
{
	out.clear();
	if (!bytes || size == 0)
		return;
	const unsigned char* end = bytes + size;
	static const unsigned char utf32be[] = {0x00, 0x00, 0xFE, 0xFF};
	static const unsigned char utf32le[] = {0xFF, 0xFE, 0x00, 0x00};
	static const unsigned char utf16be[] = {0xFE, 0xFF};
	static const unsigned char utf16le[] = {0xFF, 0xFE};
	static const unsigned char utf8[] = {0xEF, 0xBB, 0xBF};
	// Each reservation leaves room for the terminator the reader appends: without it that one character
	// would copy the whole text into a buffer twice its size.

	if (size > 3 && startsWith(bytes, size, utf32be, 4))
	{
		out.reserve((size - 4) / 4 + 1);
		decodeUtf32(bytes + 4, end, true, out);
	}
	else if (size > 3 && startsWith(bytes, size, utf32le, 4))
	{
		out.reserve((size - 4) / 4 + 1);
		decodeUtf32(bytes + 4, end, false, out);
	}
	else if (size > 1 && startsWith(bytes, size, utf16be, 2))
	{
		out.reserve((size - 2) / 2 + 1);
		decodeUtf16(bytes + 2, end, true, out);
	}
	else if (size > 1 && startsWith(bytes, size, utf16le, 2))
	{
		out.reserve((size - 2) / 2 + 1);
		decodeUtf16(bytes + 2, end, false, out);
	}
	else if (size > 2 && startsWith(bytes, size, utf8, 3))
	{
		out.reserve(size - 3 + 1);
		decodeUtf8(bytes + 3, end, false, out);
	}
	else
	{
		out.reserve(size + 1);
		// Without a signature, only text that is entirely valid UTF-8 is taken as UTF-8.
		if (hasMultiByteSequence(bytes, end) && decodeUtf8(bytes, end, true, out))
			return;
		out.clear();
		decodeSingleByte(bytes, end, out);
	}
}
