#pragma once

#include <cstddef>
#include <vector>

// Decodes the bytes of an XML file into wide characters, choosing the encoding from the
// byte-order signature: UTF-32 and UTF-16 of either byte order, UTF-8; without a signature,
// text that is valid UTF-8 is read as UTF-8 and anything else as one character per byte.
// out receives the characters up to (not including) the first zero character.
void decodeXmlText(const unsigned char* bytes, size_t size, std::vector<wchar_t>& out);
