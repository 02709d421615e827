#pragma once

#include <cstddef>
#include <cstdint>

// UTF-8 pieces shared by the text conversions and the XML decoder.

// Decodes one well-formed sequence at p; returns its length in bytes, 0 when it is not well
// formed (cut off by end, bad continuation, overlong, surrogate or beyond U+10FFFF).
size_t decodeUtf8Sequence(const unsigned char* p, const unsigned char* end, uint32_t& codePoint);

// A byte that is no part of a well-formed sequence is widened into U+DC80..U+DCFF and
// narrowed back to the byte, so narrow text that is not UTF-8 (a file name on disk) survives a
// round trip through wide text.
constexpr uint32_t utf8EscapeBase = 0xDC00;
inline bool isUtf8Escape(uint32_t c)
{
	return c >= utf8EscapeBase + 0x80 && c <= utf8EscapeBase + 0xFF;
}

// Bytes that encodeUtf8 writes for c: 1 to 4 (1 for an escaped byte and for "?").
int utf8EncodedLength(uint32_t c);
// Writes c at out and returns the position after it; other surrogates and values beyond
// U+10FFFF become "?".
char* encodeUtf8(uint32_t c, char* out);
