#pragma once

#include "IXMLWriter.h"

#include <vector>

class IWriteFile;

// Writes XML as UTF-16 little-endian text with CR LF line breaks and tab indentation.
class CXMLWriter : public IXMLWriter
{
public:
	// Keeps one reference to the file; a null file makes every operation do nothing.
	explicit CXMLWriter(IWriteFile* file);
	~CXMLWriter() override;

	void writeXMLHeader() override;
	void writeElement(const wchar_t* name, bool empty, const irr::core::array<irr::core::stringw>& names,
	                  const irr::core::array<irr::core::stringw>& values) override;
	void writeElement(const wchar_t* name, bool empty = false, const wchar_t* attr1Name = nullptr,
	                  const wchar_t* attr1Value = nullptr, const wchar_t* attr2Name = nullptr,
	                  const wchar_t* attr2Value = nullptr, const wchar_t* attr3Name = nullptr,
	                  const wchar_t* attr3Value = nullptr, const wchar_t* attr4Name = nullptr,
	                  const wchar_t* attr4Value = nullptr, const wchar_t* attr5Name = nullptr,
	                  const wchar_t* attr5Value = nullptr) override;
	void writeComment(const wchar_t* text) override;
	void writeClosingTag(const wchar_t* name) override;
	void writeText(const wchar_t* text) override;
	void writeLineBreak() override;

	int getDepth() const { return depth; }

private:
	// Each operation gathers its code units here and writes them to the file at once.
	void put(const wchar_t* text);
	void putChar(wchar_t c);
	void putEscaped(const wchar_t* text);
	void putIndentation(int tabs);
	void openElement(const wchar_t* name);
	void putAttribute(const wchar_t* name, const wchar_t* value);
	void closeElement(bool empty);
	void flush();

	IWriteFile* file;
	int depth = 0;
	bool textWrittenLast = false;
	std::vector<unsigned char> pending;
};
