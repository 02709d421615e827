#pragma once

#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"
#include "scene/NodeFactory.h"

// Processor of "snod": scene files read into node trees made through the node factory, and written back.
class CSceneNodeProcessor : public IContentProcessor
{
public:
	CSceneNodeProcessor(IFileSystem* fileSystem, NodeFactory* nodeFactory);

	ContentType getContentType() const override { return ContentTypeSceneNode; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;

	NodeFactory* getNodeFactory() const { return nodeFactory.get(); }

private:
	SmartPointer<IFileSystem> fileSystem;
	SmartPointer<NodeFactory> nodeFactory;
};
