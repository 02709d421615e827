#include "CParticleEmitterProcessor.h"

#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "core/ILogger.h"
#include "nodes/BaseEmitter.h"

// A standalone emitter file makes the base class, which emits nothing; the emitter classes
// chosen by "Type" come only from particle collections.
ContentObject* CParticleEmitterProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	if (!file || !fileSystem)
		return nullptr;
	CXMLReader* reader = fileSystem->createXMLReader(file);
	if (!reader)
		return nullptr;

	BaseEmitter* emitter = new BaseEmitter(reference);
	if (manager)
		manager->pushFolder(file->getFileName());
	emitter->load(reader);
	if (manager)
		manager->popFolder();

	reader->drop();
	getLogger()->log("Loaded particle emitter", file->getFileName().c_str(), 0);
	return emitter;
}

bool CParticleEmitterProcessor::save(CContentManager*, ContentObject*, IWriteFile* file, void*)
{
	getLogger()->log("Particle collection can't be saved", file ? file->getFileName().c_str() : "", 1);
	return false;
}
