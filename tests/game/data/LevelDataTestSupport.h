#pragma once

#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "core/TextUtils.h"

#include <irrlicht/irrArray.h>
#include <string>

// A reader over a few lines of XML, standing before the first node.
inline SmartPointer<CXMLReader> xmlText(const std::string& text)
{
	return SmartPointer<CXMLReader>(new CXMLReader(text.data(), text.size()));
}

// A reader over the XML, standing on its first element (as a list reader is handed its element).
inline SmartPointer<CXMLReader> xmlOnFirstElement(const std::string& text)
{
	SmartPointer<CXMLReader> reader = xmlText(text);
	while (reader->read() && reader->getNodeType() != XML_NODE_ELEMENT)
	{
	}
	return reader;
}

// Names of a list of ids joined by ",": easy to compare.
inline std::string idNames(const irr::core::array<StringId>& ids)
{
	std::string text;
	for (irr::u32 i = 0; i < ids.size(); ++i)
		text += (i ? "," : "") + std::string(getStringById(ids[i]).c_str());
	return text;
}

inline std::string wideText(const irr::core::stringw& text)
{
	return narrow(text).c_str();
}
