// Reads a scene file from the input, then saves, clones and animates what was read, and shows a
// clone in a scene manager whose templates are the file's own template collection, if it has one.
#include "content/CVirtualFile.h"
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/AnimatorSet.h"
#include "scene/BaseNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{
// Plays every state of the tree's nodes on one scheduler for a few steps.
void animate(BaseNode* node, TaskScheduler* scheduler, int depth)
{
	if (depth > 64)
		return;
	for (const auto& entry : node->getStates())
		entry.second->start(scheduler, entry.first);
	const auto& children = node->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
		animate(children[i], scheduler, depth + 1);
}

// The root itself or its first direct child that is a template collection.
TemplateCollectionNode* findTemplates(BaseNode* root)
{
	if (auto* templates = nodeCast<TemplateCollectionNode>(root))
		return templates;
	const auto& children = root->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
	{
		if (auto* templates = nodeCast<TemplateCollectionNode>(children[i]))
			return templates;
	}
	return nullptr;
}

// Shows a clone of the tree as a scene: controls apply their templates and lists build elements.
void show(BaseNode* root)
{
	SmartPointer<TaskScheduler> drain(new TaskScheduler());
	SmartPointer<SceneManager> manager(new SceneManager());
	manager->setScheduler(drain.get());
	manager->setTemplateCollection(findTemplates(root));
	SmartPointer<BaseNode> copy(root->clone());
	SmartPointer<SceneNode> scene(shareRef(nodeCast<SceneNode>(copy.get())));
	if (!scene)
	{
		scene = SmartPointer<SceneNode>(new SceneNode());
		scene->addChild(copy.get());
	}
	manager->showScene(scene.get());
	for (int i = 0; i < 4; ++i)
	{
		if (TaskScheduler* own = scene->getTaskScheduler())
			own->update(20);
		drain->update(20);
	}
	manager->showScene(nullptr);
	drain->update(20);
	manager->setTemplateCollection(nullptr);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "fuzz.qscn"));
	if (!root)
		return 0;

	SmartPointer<CVirtualFile> file(new CVirtualFile("fuzz-out.qscn"));
	{
		SmartPointer<CXMLWriter> writer(new CXMLWriter(file.get()));
		root->save(writer.get());
	}

	SmartPointer<BaseNode> copy(root->clone());
	SmartPointer<TaskScheduler> scheduler(new TaskScheduler());
	animate(copy.get(), scheduler.get(), 0);
	for (int i = 0; i < 8; ++i)
		scheduler->update(20);
	copy->stopAllStates(true);
	show(root.get());
	return 0;
}
