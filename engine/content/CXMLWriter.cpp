#include "CXMLWriter.h"

#include "IWriteFile.h"

CXMLWriter::CXMLWriter(IWriteFile* file) : file(file)
{
	if (file)
		file->grab();
}

CXMLWriter::~CXMLWriter()
{
	if (file)
		file->drop();
}

void CXMLWriter::putChar(wchar_t c)
{
	auto unit = [this](unsigned value)
	{
		pending.push_back(static_cast<unsigned char>(value & 0xFF));
		pending.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
	};
	unsigned cp = static_cast<unsigned>(c);
	if (cp > 0x10FFFF)
		cp = L'?';
	if (cp >= 0x10000)
	{
		cp -= 0x10000;
		unit(0xD800 + (cp >> 10));
		unit(0xDC00 + (cp & 0x3FF));
	}
	else
	{
		unit(cp);
	}
}

void CXMLWriter::put(const wchar_t* text)
{
	for (; *text; ++text)
		putChar(*text);
}

void CXMLWriter::putEscaped(const wchar_t* text)
{
	for (; *text; ++text)
	{
		switch (*text)
		{
		case L'&':
			put(L"&amp;");
			break;
		case L'<':
			put(L"&lt;");
			break;
		case L'>':
			put(L"&gt;");
			break;
		case L'"':
			put(L"&quot;");
			break;
		case L'\'':
			put(L"&apos;");
			break;
		case L'\r':
			put(L"&#xD;");
			break;
		case L'\n':
			put(L"&#xA;");
			break;
		default:
			putChar(*text);
		}
	}
}

void CXMLWriter::putIndentation(int tabs)
{
	for (int i = 0; i < tabs; ++i)
		putChar(L'\t');
}

void CXMLWriter::flush()
{
	if (file && !pending.empty())
		file->write(pending.data(), static_cast<irr::u32>(pending.size()));
	pending.clear();
}

void CXMLWriter::writeXMLHeader()
{
	if (!file)
		return;
	putChar(static_cast<wchar_t>(0xFEFF));
	put(L"<?xml version=\"1.0\"?>\r\n");
	flush();
	textWrittenLast = false;
}

void CXMLWriter::openElement(const wchar_t* name)
{
	putIndentation(depth);
	putChar(L'<');
	put(name);
}

void CXMLWriter::putAttribute(const wchar_t* name, const wchar_t* value)
{
	putChar(L' ');
	put(name);
	put(L"=\"");
	putEscaped(value);
	putChar(L'"');
}

void CXMLWriter::closeElement(bool empty)
{
	if (empty)
	{
		put(L" />");
	}
	else
	{
		putChar(L'>');
		++depth;
	}
	flush();
	textWrittenLast = false;
}

void CXMLWriter::writeElement(const wchar_t* name, bool empty, const irr::core::array<irr::core::stringw>& names,
                              const irr::core::array<irr::core::stringw>& values)
{
	if (!file || !name)
		return;
	openElement(name);
	for (irr::u32 i = 0; i < names.size() && i < values.size(); ++i)
		putAttribute(names[i].c_str(), values[i].c_str());
	closeElement(empty);
}

void CXMLWriter::writeElement(const wchar_t* name, bool empty, const wchar_t* attr1Name, const wchar_t* attr1Value,
                              const wchar_t* attr2Name, const wchar_t* attr2Value, const wchar_t* attr3Name,
                              const wchar_t* attr3Value, const wchar_t* attr4Name, const wchar_t* attr4Value,
                              const wchar_t* attr5Name, const wchar_t* attr5Value)
{
	if (!file || !name)
		return;
	const wchar_t* pairs[5][2] = {{attr1Name, attr1Value},
	                              {attr2Name, attr2Value},
	                              {attr3Name, attr3Value},
	                              {attr4Name, attr4Value},
	                              {attr5Name, attr5Value}};
	openElement(name);
	for (const auto& pair : pairs)
	{
		if (pair[0] && pair[1])
			putAttribute(pair[0], pair[1]);
	}
	closeElement(empty);
}

void CXMLWriter::writeComment(const wchar_t* text)
{
	if (!file || !text)
		return;
	put(L"<!--");
	putEscaped(text);
	put(L"-->");
	flush();
}

void CXMLWriter::writeClosingTag(const wchar_t* name)
{
	if (!file || !name)
		return;
	// Extra closing tags never push the indentation below zero.
	if (depth > 0)
		--depth;
	if (depth > 0 && !textWrittenLast)
		putIndentation(depth);
	put(L"</");
	put(name);
	putChar(L'>');
	flush();
	textWrittenLast = false;
}

void CXMLWriter::writeText(const wchar_t* text)
{
	if (!file || !text)
		return;
	putEscaped(text);
	flush();
	textWrittenLast = true;
}

void CXMLWriter::writeLineBreak()
{
	if (!file)
		return;
	put(L"\r\n");
	flush();
}
