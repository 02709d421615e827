#include "CAtlasTextureCollectionProcessor.h"

#include "content/AtlasTextureCollection.h"
#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "content/IReadFile.h"
#include "core/ILogger.h"

ContentObject* CAtlasTextureCollectionProcessor::load(CContentManager* manager, IReadFile* file,
	const ContentRef& reference)
{
	if (!manager || !file || !fileSystem)
		return nullptr;
	CXMLReader* reader = fileSystem->createXMLReader(file);
	if (!reader)
		return nullptr;
	AtlasTextureCollection* collection = new AtlasTextureCollection(reference);
	manager->pushFolder(file->getFileName());
	collection->load(reader);
	manager->popFolder();
	reader->drop();
	getLogger()->log("Loaded atlas texture collection", file->getFileName().c_str(), 0);
	return collection;
}

bool CAtlasTextureCollectionProcessor::save(CContentManager*, ContentObject* object, IWriteFile* file, void*)
{
	AtlasTextureCollection* collection = dynamic_cast<AtlasTextureCollection*>(object);
	if (!collection || !file || !fileSystem)
		return false;
	CXMLWriter* writer = fileSystem->createXMLWriter(file);
	if (!writer)
		return false;
	writer->writeXMLHeader();
	collection->save(writer);
	writer->drop();
	return true;
}
