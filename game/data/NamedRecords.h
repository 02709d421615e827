#pragma once

#include "content/IXMLReader.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <map>

// Tables of configuration records keyed by their Name, shared by the buildings and upgrades configurations.

// Refills records from an opened configuration: every recordElement up to the end tag of rootElement is
// read into a new record. True when that end tag was met; otherwise the records read so far are kept.
// The first record of a name wins; a record without a Name is left out.
template <typename Record>
bool loadNamedRecords(IXMLReader* reader, const wchar_t* rootElement, const wchar_t* recordElement,
                      std::map<StringId, SmartPointer<Record>>& records)
{
	records.clear();
	if (!reader)
		return false;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == rootElement)
			return true;
		if (type != XML_NODE_ELEMENT || reader->getNodeName() != recordElement)
			continue;
		SmartPointer<Record> record(new Record());
		record->read(reader);
		if (!record->getName().isEmpty())
			records.emplace(record->getName(), record);
	}
	return false;
}

// Null when no record has the name.
template <typename Record>
SmartPointer<Record> findNamedRecord(const std::map<StringId, SmartPointer<Record>>& records, StringId name)
{
	const auto it = records.find(name);
	return it != records.end() ? it->second : SmartPointer<Record>();
}
