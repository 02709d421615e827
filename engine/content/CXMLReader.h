#pragma once

#include "IXMLReader.h"

#include <cstddef>
#include <vector>

class IReadFile;

// Pull reader that decodes a whole XML file into wide text at construction.
class CXMLReader : public IXMLReader
{
public:
	// Larger files are refused: the reader then has no text.
	static constexpr long maxFileSize = 64L * 1024L * 1024L;

	// Reads the file from its current position to its end; keeps no reference to it.
	explicit CXMLReader(IReadFile* file);
	// Reads the bytes of an XML file held in memory.
	CXMLReader(const void* data, size_t size);

	bool read() override;
	bool isEmptyElement() const override { return emptyElement; }
	int getNodeType() const override { return nodeType; }
	const irr::core::stringw& getNodeName() const override { return nodeName; }
	const irr::core::stringw& getNodeData() const override { return nodeName; }

	int getAttributeCount() const override { return static_cast<int>(attributeCount); }
	const irr::core::stringw& getAttributeName(int index) const override;
	const irr::core::stringw& getAttributeValue(const irr::core::stringw& name) const override;
	const irr::core::stringw& getAttributeValue(int index) const override;
	int getAttributeValueAsInt(int index, int defaultValue) const override;
	int getAttributeValueAsInt(const irr::core::stringw& name, int defaultValue) const override;
	float getAttributeValueAsFloat(int index, float defaultValue) const override;
	float getAttributeValueAsFloat(const irr::core::stringw& name, float defaultValue) const override;

	const irr::core::array<irr::core::stringw>& getSpecialCharacters() const override;
	void addSpecialCharacter(const irr::core::stringw& entry) override;

	// The decoded text (without its terminating zero); empty when there is none.
	size_t getTextLength() const { return text.empty() ? 0 : text.size() - 1; }

private:
	struct Attribute
	{
		irr::core::stringw name;
		irr::core::stringw value;
	};

	void loadText(const unsigned char* bytes, size_t size);

	// Each parser starts at "<" and returns false when the tag is cut off by the end of the text.
	bool parseTag();
	bool parseElement();
	bool parseElementEnd();
	bool parseCommentOrCData();
	bool parseDeclaration();
	// Marks the reader as finished after malformed input.
	bool stop();

	bool isSkippableText(const wchar_t* begin, const wchar_t* end) const;
	void setText(wchar_t* begin, wchar_t* end);
	Attribute& addAttribute();
	const Attribute* findAttribute(const irr::core::stringw& name) const;

	// Assigns [begin, end) to out, replacing entities when asked.
	void assign(irr::core::stringw& out, wchar_t* begin, wchar_t* end);
	void assignWithEntities(irr::core::stringw& out, wchar_t* begin, wchar_t* end);

	std::vector<wchar_t> text; // decoded text plus a terminating zero
	wchar_t* pos = nullptr;
	wchar_t* textEnd = nullptr;

	int nodeType = XML_NODE_NONE;
	bool emptyElement = false;
	irr::core::stringw nodeName;
	// Attribute slots are kept between elements so their strings keep their memory.
	std::vector<Attribute> attributes;
	size_t attributeCount = 0;
	std::vector<wchar_t> scratch;
};
