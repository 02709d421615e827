#include "CParticleCollectionProcessor.h"

#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "core/ILogger.h"
#include "nodes/ParticleCollection.h"

// The collection caches its named emitters while it reads; it is not cached itself.
ContentObject* CParticleCollectionProcessor::load(CContentManager* manager, IReadFile* file,
                                                  const ContentRef& reference)
{
	if (!file || !fileSystem)
		return nullptr;
	CXMLReader* reader = fileSystem->createXMLReader(file);
	if (!reader)
		return nullptr;

	ParticleCollection* collection = new ParticleCollection(reference);
	if (manager)
		manager->pushFolder(file->getFileName());
	collection->load(reader);
	if (manager)
		manager->popFolder();

	reader->drop();
	getLogger()->log("Loaded particle collection", file->getFileName().c_str(), 0);
	return collection;
}

bool CParticleCollectionProcessor::save(CContentManager*, ContentObject*, IWriteFile* file, void*)
{
	getLogger()->log("Particle collection can't be saved", file ? file->getFileName().c_str() : "", 1);
	return false;
}
