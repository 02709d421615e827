#pragma once

#include "GComicsEntry.h"
#include "core/SmartPointer.h"

#include <map>

// Which comic follows which map location, read from one shared file.
class GComicsConfiguration : public virtual ReferenceCounted
{
public:
	// The file the start-up and the developer reload both read.
	static constexpr const char* FileName = "scenes/ComicsConfiguration.xml";

	// Replaces the entries with the file's Comics elements (the first of a location stays); true when
	// the end of ComicsConfiguration was met, false when the input ended first.
	bool load(IXMLReader* reader);

	// The entry of a map location index, or null.
	GComicsEntry* findComics(int level) const;
	size_t size() const { return entries.size(); }
	const std::map<int, SmartPointer<GComicsEntry>>& getEntries() const { return entries; }

private:
	std::map<int, SmartPointer<GComicsEntry>> entries;
};
