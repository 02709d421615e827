#include "IFileSystem.h"

#include "content/CXMLReader.h"

void IFileSystem::addPreparedXMLReader(const irr::core::stringc&, CXMLReader* reader)
{
	if (reader)
		reader->drop();
}
