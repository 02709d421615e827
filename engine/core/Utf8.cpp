#include "Utf8.h"

namespace
{
bool isContinuation(unsigned char b)
{
	return (b & 0xC0) == 0x80;
}

bool isSurrogate(uint32_t c)
{
	return c >= 0xD800 && c <= 0xDFFF;
}

// Length and payload bits of a sequence starting with lead; 0 when lead cannot start one.
int sequenceLength(unsigned char lead, uint32_t& bits)
{
	if (lead < 0x80)
	{
		bits = lead;
		return 1;
	}
	if ((lead & 0xE0) == 0xC0)
	{
		bits = lead & 0x1Fu;
		return 2;
	}
	if ((lead & 0xF0) == 0xE0)
	{
		bits = lead & 0x0Fu;
		return 3;
	}
	if ((lead & 0xF8) == 0xF0)
	{
		bits = lead & 0x07u;
		return 4;
	}
	return 0;
}
} // namespace

size_t decodeUtf8Sequence(const unsigned char* p, const unsigned char* end, uint32_t& codePoint)
{
	if (p >= end)
		return 0;
	uint32_t bits = 0;
	const int length = sequenceLength(*p, bits);
	if (length == 0 || end - p < length)
		return 0;
	for (int i = 1; i < length; ++i)
	{
		if (!isContinuation(p[i]))
			return 0;
		bits = (bits << 6) | (p[i] & 0x3Fu);
	}
	static const uint32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
	if (bits < minimum[length] || bits > 0x10FFFF || isSurrogate(bits))
		return 0;
	codePoint = bits;
	return static_cast<size_t>(length);
}

int utf8EncodedLength(uint32_t c)
{
	if (c < 0x80 || isUtf8Escape(c) || isSurrogate(c) || c > 0x10FFFF)
		return 1;
	if (c < 0x800)
		return 2;
	return c < 0x10000 ? 3 : 4;
}

char* encodeUtf8(uint32_t c, char* out)
{
	if (isUtf8Escape(c))
	{
		*out++ = static_cast<char>(c - utf8EscapeBase);
		return out;
	}
	if (isSurrogate(c) || c > 0x10FFFF)
	{
		*out++ = '?';
		return out;
	}
	if (c < 0x80)
	{
		*out++ = static_cast<char>(c);
	}
	else if (c < 0x800)
	{
		*out++ = static_cast<char>(0xC0 | (c >> 6));
		*out++ = static_cast<char>(0x80 | (c & 0x3F));
	}
	else if (c < 0x10000)
	{
		*out++ = static_cast<char>(0xE0 | (c >> 12));
		*out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
		*out++ = static_cast<char>(0x80 | (c & 0x3F));
	}
	else
	{
		*out++ = static_cast<char>(0xF0 | (c >> 18));
		*out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
		*out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
		*out++ = static_cast<char>(0x80 | (c & 0x3F));
	}
	return out;
}
