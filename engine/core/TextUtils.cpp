#include "TextUtils.h"

#include "Utf8.h"

#include <cstring>

const irr::core::stringc& emptyStringC()
{
	static const irr::core::stringc empty;
	return empty;
}

const irr::core::stringw& emptyStringW()
{
	static const irr::core::stringw empty;
	return empty;
}

irr::core::stringc concatNarrow(const char* literal, const irr::core::stringc& text)
{
	irr::core::stringc out(literal ? literal : "");
	out += text;
	return out;
}

irr::core::stringw concatWide(const wchar_t* literal, const irr::core::stringw& text)
{
	irr::core::stringw out(literal ? literal : L"");
	out += text;
	return out;
}

void makeUpperW(irr::core::stringw& text)
{
	for (irr::u32 i = 0; i < text.size(); ++i)
	{
		if (text[i] >= L'a' && text[i] <= L'z')
			text[i] = static_cast<wchar_t>(text[i] - L'a' + L'A');
	}
}

namespace
{
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
} // namespace

irr::core::stringw formatMinutesSeconds(unsigned milliseconds)
{
	return formatTotalMinutesSeconds(milliseconds % 3600000);
}

irr::core::stringw formatTotalMinutesSeconds(unsigned milliseconds)
{
	const unsigned seconds = (milliseconds / 1000) % 60;
	irr::core::stringw text;
	const unsigned minutes = milliseconds / 60000;
	if (minutes < 10)
		text += L'0';
	text += irr::core::stringw(minutes);
	text += L':';
	text += static_cast<wchar_t>(L'0' + seconds / 10);
	text += static_cast<wchar_t>(L'0' + seconds % 10);
	return text;
}

irr::core::stringw formatThousands(int value, wchar_t separator)
{
	// Work on the magnitude as unsigned so INT_MIN stays exact.
	unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
	// Filled from the right: at most ten digits, three separators and a sign.
	wchar_t text[16];
	int start = 15;
	text[start] = 0;
	int digits = 0;
	do
	{
		if (separator && digits > 0 && digits % 3 == 0)
			text[--start] = separator;
		text[--start] = static_cast<wchar_t>(L'0' + magnitude % 10);
		magnitude /= 10;
		++digits;
	} while (magnitude);
	if (value < 0)
		text[--start] = L'-';
	return irr::core::stringw(text + start, static_cast<irr::u32>(15 - start));
}

irr::core::stringw intToStringW(int value)
{
	return formatThousands(value, L'\0');
}

irr::core::array<StringId> splitToIds(const char* text)
{
	irr::core::array<StringId> ids;
	if (!text)
		return ids;
	const char* p = text;
	while (true)
	{
		const char* end = p;
		while (*end && *end != ';')
			++end;
		const char* b = p;
		const char* e = end;
		while (b < e && isBlank(*b))
			++b;
		while (e > b && isBlank(e[-1]))
			--e;
		if (e > b)
			ids.push_back(internStringId(irr::core::stringc(b, static_cast<irr::u32>(e - b))));
		if (!*end)
			break;
		p = end + 1;
	}
	return ids;
}

irr::core::stringw widen(const char* text)
{
	irr::core::stringw out;
	if (!text)
		return out;
	const size_t length = std::strlen(text);
	// One allocation: a wide text never has more characters than its narrow form has bytes.
	out.reserve(static_cast<irr::u32>(length + 1));
	const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
	const unsigned char* end = p + length;
	while (p < end)
	{
		if (*p < 0x80)
		{
			out.append(static_cast<wchar_t>(*p++));
			continue;
		}
		uint32_t codePoint = 0;
		const size_t used = decodeUtf8Sequence(p, end, codePoint);
		if (used)
		{
			out.append(static_cast<wchar_t>(codePoint));
			p += used;
		}
		else
		{
			out.append(static_cast<wchar_t>(utf8EscapeBase + *p++));
		}
	}
	return out;
}

irr::core::stringw widen(const irr::core::stringc& text) { return widen(text.c_str()); }

irr::core::stringc narrow(const wchar_t* text)
{
	irr::core::stringc out;
	if (!text)
		return out;
	size_t bytes = 0;
	const wchar_t* p = text;
	for (; *p; ++p)
		bytes += static_cast<size_t>(utf8EncodedLength(static_cast<uint32_t>(*p)));
	out.reserve(static_cast<irr::u32>(bytes + 1));
	char encoded[4];
	for (p = text; *p; ++p)
	{
		const char* encodedEnd = encodeUtf8(static_cast<uint32_t>(*p), encoded);
		for (const char* e = encoded; e < encodedEnd; ++e)
			out.append(*e);
	}
	return out;
}

irr::core::stringc narrow(const irr::core::stringw& text) { return narrow(text.c_str()); }
