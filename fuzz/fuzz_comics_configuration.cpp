#include "content/CXMLReader.h"
#include "data/GComicsConfiguration.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a comics configuration; every entry is found under its own location.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GComicsConfiguration> comics(new GComicsConfiguration());
	comics->load(reader.get());
	for (const auto& [level, entry] : comics->getEntries())
		if (!entry || comics->findComics(level) != entry.get() || entry->getLevel() != level)
			__builtin_trap();
	return 0;
}
