#include "ConfigReading.h"

#include "content/IXMLReader.h"

bool isElementStart(const IXMLReader* reader, const wchar_t* name)
{
	return reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == name;
}

bool isElementEnd(const IXMLReader* reader, const wchar_t* name)
{
	const int type = reader->getNodeType();
	return reader->getNodeName() == name &&
	       (type == XML_NODE_ELEMENT_END || (type == XML_NODE_ELEMENT && reader->isEmptyElement()));
}
