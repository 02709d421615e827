#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "data/GLevelScores.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a level scores file; every entry read is found again and lookups change nothing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GLevelScores> scores(new GLevelScores());
	scores->load(reader.get());
	const size_t count = scores->size();
	for (const auto& [name, entry] : scores->getEntries())
	{
		const GLevelScoreEntry found = scores->lookup(name);
		if (found.score != entry.score || found.expertScore != entry.expertScore || found.time != entry.time)
			__builtin_trap();
	}
	scores->lookup("no such level");
	if (scores->size() != count)
		__builtin_trap();
	return 0;
}
