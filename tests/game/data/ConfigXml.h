#pragma once

#include "content/CXMLReader.h"
#include "core/SmartPointer.h"

#include <string>

// A reader over a few lines of configuration XML, as the file system would open it.
inline SmartPointer<CXMLReader> configReader(const std::string& text)
{
	return SmartPointer<CXMLReader>(new CXMLReader(text.data(), text.size()));
}
