#pragma once

#include <functional>
#include <string>

class IXMLWriter;

// Writes an XML file with the engine's writer (the form the engine reads back); false when it cannot be opened.
bool writeXmlFile(const std::string& path, const std::function<void(IXMLWriter&)>& body);
