#include "CSceneNodeProcessor.h"

#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "core/ILogger.h"
#include "scene/BaseNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

CSceneNodeProcessor::CSceneNodeProcessor(IFileSystem* fs, NodeFactory* factory)
    : fileSystem(shareRef(fs)), nodeFactory(shareRef(factory))
{
}

ContentObject* CSceneNodeProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	if (!file || !fileSystem)
		return nullptr;
	SmartPointer<CXMLReader> reader(fileSystem->createXMLReader(file));
	if (!reader)
		return nullptr;
	BaseNode* node =
	    SceneFileReader::loadDocument(reader.get(), nodeFactory.get(), manager, reference, file->getFileName());
	reader = nullptr;
	getLogger()->log("Loaded scene node", file->getFileName().c_str(), 0);
	return node;
}

bool CSceneNodeProcessor::save(CContentManager* manager, ContentObject* object, IWriteFile* file, void*)
{
	auto* node = dynamic_cast<BaseNode*>(object);
	if (!file || !fileSystem || !node)
		return false;
	SmartPointer<CXMLWriter> writer(fileSystem->createXMLWriter(file));
	if (!writer)
		return false;
	writer->writeXMLHeader();
	if (manager)
		manager->pushFolder(file->getFileName());
	node->save(writer.get());
	if (manager)
		manager->popFolder();
	return true;
}
