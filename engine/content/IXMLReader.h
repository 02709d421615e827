#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

// Kinds of node a pull reader reports.
enum XmlNodeType
{
	XML_NODE_NONE = 0,
	XML_NODE_ELEMENT = 1,
	XML_NODE_ELEMENT_END = 2,
	XML_NODE_TEXT = 3,
	XML_NODE_COMMENT = 4,
	XML_NODE_CDATA = 5,
	XML_NODE_UNKNOWN = 6
};

// Pull reader over one XML text: every read() moves to the next node.
class IXMLReader : public virtual ReferenceCounted
{
public:
	// True when a node was parsed; false at the end of the text.
	virtual bool read() = 0;
	virtual bool isEmptyElement() const = 0;
	virtual int getNodeType() const = 0;
	// Element name for elements and element ends, the text for text, comment and CDATA nodes.
	virtual const irr::core::stringw& getNodeName() const = 0;
	virtual const irr::core::stringw& getNodeData() const = 0;

	virtual int getAttributeCount() const = 0;
	virtual const irr::core::stringw& getAttributeName(int index) const = 0;
	virtual const irr::core::stringw& getAttributeValue(const irr::core::stringw& name) const = 0;
	virtual const irr::core::stringw& getAttributeValue(int index) const = 0;
	virtual int getAttributeValueAsInt(int index, int defaultValue) const = 0;
	virtual int getAttributeValueAsInt(const irr::core::stringw& name, int defaultValue) const = 0;
	virtual float getAttributeValueAsFloat(int index, float defaultValue) const = 0;
	virtual float getAttributeValueAsFloat(const irr::core::stringw& name, float defaultValue) const = 0;

	// Process-wide entity list: each entry is the replacement character followed by the
	// entity name as it follows the "&" (";" included).
	virtual const irr::core::array<irr::core::stringw>& getSpecialCharacters() const = 0;
	virtual void addSpecialCharacter(const irr::core::stringw& entry) = 0;
};
