#pragma once

#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "core/CPropertyCollection.h"
#include "engine/content/MemoryFiles.h"

#include <string>

// Writes a collection to UTF-16 bytes with the real writer.
inline std::string writeCollection(const CPropertyCollection& collection, bool header = true, bool enclose = true)
{
	SmartPointer<TestWriteFile> file(new TestWriteFile());
	SmartPointer<CXMLWriter> writer(new CXMLWriter(file.get()));
	collection.writeXml(writer.get(), header, L"", enclose);
	return file->bytes;
}

// Reads bytes into a new collection, moving the reader to the first element first.
inline SmartPointer<CPropertyCollection> readCollection(const std::string& bytes, bool* result = nullptr)
{
	SmartPointer<TestReadFile> file(new TestReadFile(bytes));
	SmartPointer<CXMLReader> reader(new CXMLReader(file.get()));
	while (reader->read() && reader->getNodeType() != XML_NODE_ELEMENT)
	{
	}
	SmartPointer<CPropertyCollection> collection(new CPropertyCollection());
	const bool ok = collection->readXml(reader.get(), true);
	if (result)
		*result = ok;
	return collection;
}
