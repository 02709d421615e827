#include "CDictionary.h"

#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "core/TextUtils.h"

#include <cstring>
#include <cwchar>
#include <string>

bool CDictionary::TagLess::operator()(const irr::core::stringc& a, const irr::core::stringc& b) const
{
	const irr::u32 common = a.size() < b.size() ? a.size() : b.size();
	const int order = std::memcmp(a.c_str(), b.c_str(), common);
	return order != 0 ? order < 0 : a.size() < b.size();
}

CDictionary::CDictionary(IFileSystem* fs) : fileSystem(shareRef(fs)), missText(L"##NO_MATCH##") {}

CDictionary::~CDictionary() = default;

void CDictionary::clear()
{
	texts.clear();
}

irr::core::stringw CDictionary::getText(const irr::core::stringc& tag) const
{
	auto found = texts.find(tag);
	if (found != texts.end())
		return found->second;
	irr::core::stringw shown(L"%");
	shown += widen(tag);
	shown += L"%";
	return shown;
}

irr::core::stringw CDictionary::expandTags(const irr::core::stringw& text) const
{
	const irr::u32 length = text.size();
	if (length < 2)
		return text;
	// Built in a growable buffer: the library's strings grow to the exact size on every append.
	const wchar_t* in = text.c_str();
	std::wstring out;
	out.reserve(length);
	irr::u32 i = 0;
	while (i < length)
	{
		const wchar_t* percent = std::wmemchr(in + i, L'%', length - i);
		const irr::u32 at = percent ? static_cast<irr::u32>(percent - in) : length;
		out.append(in + i, at - i);
		i = at;
		if (i >= length)
			break;
		if (i + 1 == length)
		{
			out.push_back(L'%');
			break;
		}
		if (in[i + 1] == L'%')
		{
			out.push_back(L'%');
			i += 2;
			continue;
		}
		const wchar_t* close = std::wmemchr(in + i + 1, L'%', length - i - 1);
		if (!close)
		{
			// Not a tag: the percent sign and the rest stay as they are.
			out.append(in + i, length - i);
			break;
		}
		const irr::u32 end = static_cast<irr::u32>(close - in);
		const irr::core::stringw expanded = getText(narrow(text.subString(i + 1, end - i - 1)));
		out.append(expanded.c_str(), expanded.size());
		i = end + 1;
	}
	return irr::core::stringw(out.data(), static_cast<irr::u32>(out.size()));
}

irr::core::stringw CDictionary::format(const irr::core::stringc& tag, const irr::core::stringw& p1,
	const irr::core::stringw& p2, const irr::core::stringw& p3, const irr::core::stringw& p4) const
{
	const irr::core::stringw text = getText(tag);
	const irr::u32 length = text.size();
	if (length < 2)
		return text;
	const irr::core::stringw* parameters[] = {&p1, &p2, &p3, &p4};
	std::wstring out;
	out.reserve(length + p1.size() + p2.size() + p3.size() + p4.size());
	irr::u32 used = 0;
	irr::u32 i = 0;
	while (i < length)
	{
		if (used < 4 && text[i] == L'#' && i + 1 < length && text[i + 1] == L'p')
		{
			const irr::core::stringw& parameter = *parameters[used++];
			out.append(parameter.c_str(), parameter.size());
			i += 2;
			continue;
		}
		out.push_back(text[i]);
		++i;
	}
	return irr::core::stringw(out.data(), static_cast<irr::u32>(out.size()));
}

bool CDictionary::loadFile(const irr::core::stringc& fileName)
{
	if (!fileSystem)
		return false;
	CXMLReader* reader = fileSystem->createXMLReader(fileName);
	if (!reader)
		return false;
	load(reader);
	reader->drop();
	return true;
}

void CDictionary::load(IXMLReader* reader)
{
	if (!reader)
		return;
	while (reader->read())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		if (reader->getNodeName() == L"Dictionary")
			readDictionaryForm(reader);
		else if (reader->getNodeName() == L"texts")
			readTextsForm(reader);
	}
}

void CDictionary::readDictionaryForm(IXMLReader* reader)
{
	if (reader->isEmptyElement())
		return;
	// The tag of the open "s" element, waiting for its text.
	irr::core::stringc pending;
	bool waiting = false;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		const irr::core::stringw& name = reader->getNodeName();
		if (type == XML_NODE_ELEMENT && name == L"s")
		{
			pending = narrow(reader->getAttributeValue(L"n"));
			waiting = pending.size() != 0;
			// An empty element has no text and no end of its own.
			if (waiting && reader->isEmptyElement())
			{
				texts[pending] = irr::core::stringw();
				waiting = false;
			}
		}
		else if ((type == XML_NODE_TEXT || type == XML_NODE_CDATA) && waiting)
		{
			texts[pending] = reader->getNodeData();
			waiting = false;
		}
		else if (type == XML_NODE_ELEMENT_END && name == L"s")
		{
			if (waiting)
				texts[pending] = irr::core::stringw();
			waiting = false;
		}
		else if (type == XML_NODE_ELEMENT_END && name == L"Dictionary")
			break;
	}
}

void CDictionary::readTextsForm(IXMLReader* reader)
{
	if (reader->isEmptyElement())
		return;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT && reader->getNodeName() == L"phrase")
			texts[narrow(reader->getAttributeValue(L"tag"))] = reader->getAttributeValue(L"text");
		else if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == L"texts")
			break;
	}
}
