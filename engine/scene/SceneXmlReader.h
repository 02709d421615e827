#pragma once

#include "content/CXMLReader.h"
#include "content/IXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TextUtils.h"

#include <cstddef>
#include <vector>

// Pull reader over another reader that keeps the element structure of hand-edited scene files sound:
// it tracks the open elements, closes elements left open when an end tag or a start tag of an
// enclosing kind says so (reporting the missing end tags), and drops end tags that close nothing.
class SceneXmlReader final : public IXMLReader
{
public:
	// openElement: the element the inner reader already stands in (null: none).
	explicit SceneXmlReader(IXMLReader* inner, const wchar_t* openElement = nullptr);

	// The reader itself when it already is one, otherwise a new wrapper over it. When the reader
	// stands on a non-empty start tag, that element counts as open.
	static SmartPointer<SceneXmlReader> wrap(IXMLReader* reader);

	// Number of open elements after the current node (a non-empty start tag counts itself).
	size_t getDepth() const { return openCount; }

	// Nesting of the nodes being loaded through this reader, kept by the scene reader.
	int getNodeDepth() const { return nodeDepth; }
	void setNodeDepth(int value) { nodeDepth = value; }

	bool read() override;
	// The scene reader asks these of every node: defined here, so that its calls through this
	// class need no dispatch, nor do this class's own calls into a plain file reader.
	bool isEmptyElement() const override
	{
		if (onSynthetic)
			return false;
		if (plain)
			return plain->CXMLReader::isEmptyElement();
		return inner && inner->isEmptyElement();
	}
	int getNodeType() const override
	{
		if (onSynthetic)
			return XML_NODE_ELEMENT_END;
		if (plain)
			return plain->CXMLReader::getNodeType();
		return inner ? inner->getNodeType() : XML_NODE_NONE;
	}
	const irr::core::stringw& getNodeName() const override
	{
		if (onSynthetic)
			return syntheticName;
		if (plain)
			return plain->CXMLReader::getNodeName();
		return inner ? inner->getNodeName() : emptyStringW();
	}
	const irr::core::stringw& getNodeData() const override;
	int getAttributeCount() const override
	{
		if (onSynthetic || !inner)
			return 0;
		return plain ? plain->CXMLReader::getAttributeCount() : inner->getAttributeCount();
	}
	const irr::core::stringw& getAttributeName(int index) const override
	{
		if (onSynthetic || !inner)
			return emptyStringW();
		return plain ? plain->CXMLReader::getAttributeName(index) : inner->getAttributeName(index);
	}
	const irr::core::stringw& getAttributeValue(const irr::core::stringw& name) const override
	{
		if (onSynthetic || !inner)
			return emptyStringW();
		return plain ? plain->CXMLReader::getAttributeValue(name) : inner->getAttributeValue(name);
	}
	const irr::core::stringw& getAttributeValue(int index) const override
	{
		if (onSynthetic || !inner)
			return emptyStringW();
		return plain ? plain->CXMLReader::getAttributeValue(index) : inner->getAttributeValue(index);
	}
	int getAttributeValueAsInt(int index, int defaultValue) const override;
	int getAttributeValueAsInt(const irr::core::stringw& name, int defaultValue) const override;
	float getAttributeValueAsFloat(int index, float defaultValue) const override;
	float getAttributeValueAsFloat(const irr::core::stringw& name, float defaultValue) const override;
	const irr::core::array<irr::core::stringw>& getSpecialCharacters() const override;
	void addSpecialCharacter(const irr::core::stringw& entry) override;

private:
	// Index of the innermost open element of one of the kinds (a set of bits), or -1.
	long findInnermost(unsigned char kinds) const;
	// Index of the innermost open element of this name (whose kind is given), or -1.
	long findInnermostNamed(const irr::core::stringw& name, unsigned char kind) const;
	// Moves the inner reader, through one of the call sets of the source, to its next node that counts.
	template <class Calls> bool readInner(const Calls& reader);
	// Applies the structural effect of the inner reader's current node (of the given type).
	void applyCurrent();
	template <class Calls> void applyCurrent(const Calls& reader, int type);
	void pushOpen(const irr::core::stringw& name);
	void pushOpen(const irr::core::stringw& name, unsigned char kind);
	// Takes the innermost open element off the stack; its name becomes the synthetic end tag's.
	void popOpenAsSynthetic();

	SmartPointer<IXMLReader> inner;
	// The inner reader when it is exactly a plain file reader: its functions are then called
	// by name, without dispatch.
	CXMLReader* plain = nullptr;
	// The open elements are the first openCount slots; a slot holds the name of an element of no
	// known kind (the others go by their kind). The slots above keep their memory for reuse.
	std::vector<irr::core::stringw> open;
	// The kind of each open element, beside its name: the structure rules compare kinds, not names.
	std::vector<unsigned char> openKinds;
	// Kind of the inner reader's current start tag, found when it was read.
	unsigned char currentKind = 0;
	size_t openCount = 0;
	// Synthetic end tags still to report before the inner reader's current node.
	size_t pendingEndCount = 0;
	irr::core::stringw syntheticName;
	bool onSynthetic = false;
	bool innerPending = false;
	int nodeDepth = 0;
};

// Walks the content of the element the reader stands on (its start tag) up to its end.
class XmlElementScope
{
public:
	explicit XmlElementScope(SceneXmlReader* reader);

	// Moves to the next node inside the element; false at the element's end or the end of text.
	bool next();
	// Passes over the element whose start tag the reader stands on, content included.
	static void skipElement(SceneXmlReader* reader);

private:
	SceneXmlReader* reader;
	size_t depth;
	bool done;
};
