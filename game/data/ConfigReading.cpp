#include "ConfigReading.h"

#include "LevelDataText.h"
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

void readListItems(IXMLReader* reader, const wchar_t* listName, const wchar_t* itemName,
                   const std::function<void()>& readItem)
{
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == listName)
			return;
		if (type != XML_NODE_ELEMENT)
			continue;
		if (reader->getNodeName() == itemName)
			readItem();
		else
			skipElement(reader);
	}
}
