#include "CXMLReader.h"

#include "IReadFile.h"
#include "XmlTextDecoding.h"
#include "core/NumberText.h"
#include "core/TextUtils.h"

#include <cwchar>

namespace
{
bool isWhiteSpace(wchar_t c)
{
	return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// Shared by every reader; extended only from the main thread.
irr::core::array<irr::core::stringw>& entityList()
{
	static irr::core::array<irr::core::stringw> list = []
	{
		irr::core::array<irr::core::stringw> entries;
		const wchar_t* initial[] = {L"&amp;", L"<lt;", L">gt;", L"\"quot;", L"'apos;", L"\r#xD;", L"\n#xA;"};
		for (const wchar_t* entry : initial)
			entries.push_back(entry);
		return entries;
	}();
	return list;
}

wchar_t* findChar(wchar_t* begin, wchar_t* end, wchar_t c)
{
	if (begin >= end)
		return nullptr;
	return std::wmemchr(begin, c, static_cast<size_t>(end - begin));
}

// First occurrence of a zero-terminated pattern in [begin, end), or null.
wchar_t* findText(wchar_t* begin, wchar_t* end, const wchar_t* pattern)
{
	const size_t length = std::wcslen(pattern);
	while (begin && end - begin >= static_cast<std::ptrdiff_t>(length))
	{
		wchar_t* hit = findChar(begin, end - (length - 1), pattern[0]);
		if (!hit)
			return nullptr;
		if (std::wmemcmp(hit, pattern, length) == 0)
			return hit;
		begin = hit + 1;
	}
	return nullptr;
}

bool startsWith(const wchar_t* p, const wchar_t* end, const wchar_t* prefix)
{
	for (; *prefix; ++p, ++prefix)
	{
		if (p >= end || *p != *prefix)
			return false;
	}
	return true;
}
} // namespace

CXMLReader::CXMLReader(IReadFile* file)
{
	entityList();
	if (!file)
		return;
	const long size = file->getSize() - file->getPos();
	if (size <= 0 || size > maxFileSize)
		return;
	std::vector<unsigned char> bytes(static_cast<size_t>(size));
	if (file->read(bytes.data(), static_cast<irr::u32>(size)) != static_cast<irr::s32>(size))
		return;
	loadText(bytes.data(), bytes.size());
}

CXMLReader::CXMLReader(const void* data, size_t size)
{
	entityList();
	if (!data || size == 0 || size > static_cast<size_t>(maxFileSize))
		return;
	loadText(static_cast<const unsigned char*>(data), size);
}

void CXMLReader::loadText(const unsigned char* bytes, size_t size)
{
	decodeXmlText(bytes, size, text);
	if (text.empty())
		return;
	text.push_back(0);
	pos = text.data();
	textEnd = text.data() + text.size() - 1;
}

bool CXMLReader::read()
{
	if (!pos || pos >= textEnd)
		return false;
	wchar_t* lt = findChar(pos, textEnd, L'<');
	wchar_t* textStop = lt ? lt : textEnd;
	if (textStop > pos && !isSkippableText(pos, textStop))
	{
		setText(pos, textStop);
		pos = textStop;
		return true;
	}
	if (!lt)
		return stop();
	pos = lt;
	return parseTag();
}

bool CXMLReader::stop()
{
	pos = textEnd;
	nodeType = XML_NODE_NONE;
	emptyElement = false;
	return false;
}

bool CXMLReader::isSkippableText(const wchar_t* begin, const wchar_t* end) const
{
	if (end - begin >= 3)
		return false;
	for (const wchar_t* p = begin; p < end; ++p)
	{
		if (!isWhiteSpace(*p))
			return false;
	}
	return true;
}

void CXMLReader::setText(wchar_t* begin, wchar_t* end)
{
	nodeType = XML_NODE_TEXT;
	emptyElement = false;
	assignWithEntities(nodeName, begin, end);
}

bool CXMLReader::parseTag()
{
	switch (pos[1])
	{
	case L'!':
		return parseCommentOrCData();
	case L'/':
		return parseElementEnd();
	case L'?':
		return parseDeclaration();
	default:
		return parseElement();
	}
}

bool CXMLReader::parseElement()
{
	wchar_t* p = pos + 1;
	wchar_t* nameBegin = p;
	while (p < textEnd && !isWhiteSpace(*p) && *p != L'>')
		++p;
	if (p >= textEnd)
		return stop();
	wchar_t* nameEnd = p;
	bool empty = false;
	if (nameEnd > nameBegin && nameEnd[-1] == L'/')
	{
		--nameEnd;
		empty = true;
	}
	attributeCount = 0;

	while (p < textEnd && *p != L'>')
	{
		if (isWhiteSpace(*p))
		{
			++p;
			continue;
		}
		if (*p == L'/')
		{
			// "/" ends the tag: the rest up to ">" is passed over.
			empty = true;
			p = findChar(p, textEnd, L'>');
			if (!p)
				return stop();
			break;
		}

		wchar_t* attrBegin = p;
		while (p < textEnd && !isWhiteSpace(*p) && *p != L'=' && *p != L'>' && *p != L'/')
			++p;
		wchar_t* attrEnd = p;
		while (p < textEnd && isWhiteSpace(*p))
			++p;

		Attribute& attribute = addAttribute();
		assign(attribute.name, attrBegin, attrEnd);
		if (p >= textEnd || *p != L'=')
		{
			// A name without "=" stands with an empty value.
			attribute.value = L"";
			continue;
		}
		++p;
		while (p < textEnd && isWhiteSpace(*p))
			++p;
		if (p < textEnd && (*p == L'"' || *p == L'\''))
		{
			wchar_t* close = findChar(p + 1, textEnd, *p);
			if (!close)
				return stop();
			assignWithEntities(attribute.value, p + 1, close);
			p = close + 1;
		}
		else
		{
			// Unquoted value: up to white space or the end of the tag.
			wchar_t* valueBegin = p;
			while (p < textEnd && !isWhiteSpace(*p) && *p != L'>' && !(*p == L'/' && p[1] == L'>'))
				++p;
			assignWithEntities(attribute.value, valueBegin, p);
		}
	}
	if (p >= textEnd)
		return stop();

	assign(nodeName, nameBegin, nameEnd);
	nodeType = XML_NODE_ELEMENT;
	emptyElement = empty;
	pos = p + 1;
	return true;
}

bool CXMLReader::parseElementEnd()
{
	wchar_t* nameBegin = pos + 2;
	wchar_t* close = findChar(nameBegin, textEnd, L'>');
	if (!close)
		return stop();
	attributeCount = 0;
	assign(nodeName, nameBegin, close);
	nodeType = XML_NODE_ELEMENT_END;
	emptyElement = false;
	pos = close + 1;
	return true;
}

bool CXMLReader::parseCommentOrCData()
{
	wchar_t* dataBegin = nullptr;
	wchar_t* dataEnd = nullptr;
	wchar_t* next = nullptr;
	int type = XML_NODE_COMMENT;

	if (pos[2] == L'[')
	{
		type = XML_NODE_CDATA;
		dataBegin = startsWith(pos, textEnd, L"<![CDATA[") ? pos + 9 : pos + 3;
		dataEnd = findText(dataBegin, textEnd, L"]]>");
		if (!dataEnd)
			return stop();
		next = dataEnd + 3;
	}
	else if (startsWith(pos, textEnd, L"<!--"))
	{
		// A comment ends at "-->", whatever ">" it holds.
		dataBegin = pos + 4;
		dataEnd = findText(dataBegin, textEnd, L"-->");
		if (!dataEnd)
			return stop();
		next = dataEnd + 3;
	}
	else
	{
		// Other declarations (such as a document type) run to the ">" that balances their "<".
		int depth = 0;
		wchar_t* p = pos;
		for (; p < textEnd; ++p)
		{
			if (*p == L'<')
				++depth;
			else if (*p == L'>' && --depth == 0)
				break;
		}
		if (p >= textEnd)
			return stop();
		dataBegin = pos + 2;
		dataEnd = p;
		next = p + 1;
	}

	assign(nodeName, dataBegin, dataEnd);
	nodeType = type;
	emptyElement = false;
	pos = next;
	return true;
}

bool CXMLReader::parseDeclaration()
{
	wchar_t* close = findChar(pos + 2, textEnd, L'>');
	if (!close)
		return stop();
	nodeName = L"";
	nodeType = XML_NODE_UNKNOWN;
	emptyElement = false;
	pos = close + 1;
	return true;
}

CXMLReader::Attribute& CXMLReader::addAttribute()
{
	if (attributeCount == attributes.size())
		attributes.emplace_back();
	return attributes[attributeCount++];
}

void CXMLReader::assign(irr::core::stringw& out, wchar_t* begin, wchar_t* end)
{
	// The text is our own: terminate the piece in place for the string's assignment.
	const wchar_t saved = *end;
	*end = 0;
	out = begin;
	*end = saved;
}

void CXMLReader::assignWithEntities(irr::core::stringw& out, wchar_t* begin, wchar_t* end)
{
	wchar_t* amp = findChar(begin, end, L'&');
	if (!amp)
	{
		assign(out, begin, end);
		return;
	}

	scratch.assign(begin, amp);
	const irr::core::array<irr::core::stringw>& entities = entityList();
	wchar_t* p = amp;
	while (p < end)
	{
		if (*p != L'&')
		{
			scratch.push_back(*p++);
			continue;
		}
		bool replaced = false;
		const std::ptrdiff_t available = end - p - 1;
		for (irr::u32 i = 0; i < entities.size() && !replaced; ++i)
		{
			const irr::core::stringw& entry = entities[i];
			if (entry.size() < 2)
				continue;
			const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(entry.size()) - 1;
			if (length <= available && std::wmemcmp(p + 1, entry.c_str() + 1, static_cast<size_t>(length)) == 0)
			{
				scratch.push_back(entry[0]);
				p += length + 1;
				replaced = true;
			}
		}
		if (!replaced)
			scratch.push_back(*p++);
	}
	scratch.push_back(0);
	out = scratch.data();
}

const CXMLReader::Attribute* CXMLReader::findAttribute(const irr::core::stringw& name) const
{
	const irr::u32 length = name.size();
	if (length == 0)
		return nullptr;
	// Lengths first: most names differ in length, and a name of another length never matches.
	for (size_t i = 0; i < attributeCount; ++i)
	{
		const irr::core::stringw& candidate = attributes[i].name;
		if (candidate.size() == length && std::wmemcmp(candidate.c_str(), name.c_str(), length) == 0)
			return &attributes[i];
	}
	return nullptr;
}

const irr::core::stringw& CXMLReader::getAttributeName(int index) const
{
	if (index < 0 || static_cast<size_t>(index) >= attributeCount)
		return emptyStringW();
	return attributes[static_cast<size_t>(index)].name;
}

const irr::core::stringw& CXMLReader::getAttributeValue(const irr::core::stringw& name) const
{
	const Attribute* attribute = findAttribute(name);
	return attribute ? attribute->value : emptyStringW();
}

const irr::core::stringw& CXMLReader::getAttributeValue(int index) const
{
	if (index < 0 || static_cast<size_t>(index) >= attributeCount)
		return emptyStringW();
	return attributes[static_cast<size_t>(index)].value;
}

int CXMLReader::getAttributeValueAsInt(int index, int defaultValue) const
{
	if (index < 0 || static_cast<size_t>(index) >= attributeCount)
		return defaultValue;
	return wideNumberToInt(attributes[static_cast<size_t>(index)].value.c_str());
}

int CXMLReader::getAttributeValueAsInt(const irr::core::stringw& name, int defaultValue) const
{
	const Attribute* attribute = findAttribute(name);
	return attribute ? wideNumberToInt(attribute->value.c_str()) : defaultValue;
}

float CXMLReader::getAttributeValueAsFloat(int index, float defaultValue) const
{
	if (index < 0 || static_cast<size_t>(index) >= attributeCount)
		return defaultValue;
	float value = 0.0f;
	wideToFloat(attributes[static_cast<size_t>(index)].value.c_str(), value);
	return value;
}

float CXMLReader::getAttributeValueAsFloat(const irr::core::stringw& name, float defaultValue) const
{
	const Attribute* attribute = findAttribute(name);
	if (!attribute)
		return defaultValue;
	float value = 0.0f;
	wideToFloat(attribute->value.c_str(), value);
	return value;
}

const irr::core::array<irr::core::stringw>& CXMLReader::getSpecialCharacters() const
{
	return entityList();
}

void CXMLReader::addSpecialCharacter(const irr::core::stringw& entry)
{
	entityList().push_back(entry);
}
